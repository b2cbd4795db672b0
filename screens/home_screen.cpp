#include "screens/home_screen.h"

#include "card/card_format.h"
#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "profile/avatar.h"
#include "profile/profile_file.h"
#include "screens/game_screen.h"
#include "screens/menu_actions.h"
#include "screens/notices.h"
#include "screens/profile_editor.h"
#include "screens/screen_common.h"
#include "store/active_profile.h"
#include "store/profiles.h"
#include "store/progress.h"
#include "store/ranking.h"

int StarCount(int pointsEarned, int pointsPossible)
{
    if (pointsPossible == 0)
        return 0;
    // 64 bits: a card can hold more than 21 million points, and times 100 that overflows.
    Sint64 percent = static_cast<Sint64>(pointsEarned) * 100 / pointsPossible;
    if (percent < 1)
        return 0;
    Sint64 count = percent / 20 + 1;
    return count > 5 ? 5 : static_cast<int>(count);
}

// The player at `index` selected with its language, totals, ranking, and the sound.
static void SwitchProfile(int index)
{
    SelectedProfile = index;
    if (CurrentProfile())
        LanguageTable.SetLanguage(CurrentProfile()->lang);
    if (HasUpdateMarker())
        RecomputeTotals();
    LoadRanking();
    PlayNextSound();
}

static int ProfileCount() { return static_cast<int>(Profiles.size()); }
static void PreviousProfile() { SwitchProfile(PreviousIndex(SelectedProfile, ProfileCount())); }
static void NextProfile() { SwitchProfile(NextIndex(SelectedProfile, ProfileCount())); }

static void OpenHomeMenu() { OpenPopup(PopupHomeMenu); }

static void OpenGames()
{
    ListGames();
    LoadSelectedGame();
    GridColumn = 1;
    GridRow = 1;
    if (!GameFolders.empty())
        ScreenMode = ScreenGame;
}

static void EditProfile()
{
    const ProfileRecord* p = CurrentProfile();
    if (!p)
        return;
    SetEditedProfile(p->folder, p->lang, p->name, p->base, p->eyes, p->browns, p->ears, p->nose,
                     p->mouth, p->facial, p->hair, p->tatoo, p->clothes);
    EditorRow = 0;
    ScreenMode = ScreenEditor;
}

static void NewProfile()
{
    SetEditedProfile("", "", "", "01", "", "", "", "", "", "", "", "", "");
    EditorRow = 0; // a new player starts at the name, whatever row was used last
    if (Profiles.empty())
        NoticeId = NoticeFirstProfile;
    ScreenMode = ScreenEditor;
}

static const ButtonAction HomeButtons[] = {
    { ButtonUp, 0, PopupCursorUp },
    { ButtonDown, 0, PopupCursorDown },
    { ButtonLeft, PreviousProfile, 0 },
    { ButtonRight, NextProfile, 0 },
    { ButtonMenu, OpenHomeMenu, ClosePopup },
    { ButtonB, OpenGames, MenuAction },
    { ButtonX, EditProfile, MenuAction },
    { ButtonY, NewProfile, 0 }
};

static void HandleEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_JOYBUTTONDOWN)
            HandleScreenButton(HomeButtons, sizeof HomeButtons / sizeof HomeButtons[0], event.jbutton.button);
    }
}

// The name's room on the card: left of the stars, the height of a line with its shadow.
static const SDL_Rect NameArea = { 24, 24, 154, 24 };

// The selected player's part of the card: avatar, name, points, stars and icon rows.
static void DrawProfileCard(const ProfileRecord* p)
{
    DrawAvatar(p);
    DrawTextInside(p->name.c_str(), 31, 31, 0, 0, 0, FontSmall, NameArea);
    DrawTextInside(p->name.c_str(), 30, 30, 255, 255, 255, FontSmall, NameArea);
    std::string points = IntText(p->pointsEarned);
    DrawText(ScreenSurface, points.c_str(), 270 - TextWidth(FontSmall, points.c_str()), 60, 255, 255, 255, FontSmall);
    int stars = StarCount(p->pointsEarned, p->pointsPossible);
    for (int i = 0; i < stars; ++i)
        DrawImage(StarSurface, 180 + 22 * i, 28);
    for (int i = 0; i < 5; ++i) {
        DrawImageInside(CompletedIcons[i], 154 + 24 * i, 94, CARD_ICON_SIDE, CARD_ICON_SIDE);
        DrawImageInside(FavouriteIcons[i], 154 + 24 * i, 142, CARD_ICON_SIDE, CARD_ICON_SIDE);
    }
}

struct HomeHint {
    unsigned minimumProfiles; // drawn from this many players on
    SDL_Surface** icon;
    int iconX;
    int textId;
    int textX;
};

static const HomeHint HomeHints[] = {
    { 2, &ButtonPadSurface, 24, TextChoose, 45 },
    { 1, &ButtonXSurface, 110, TextEdit, 125 },
    { 1, &ButtonBSurface, 175, TextGames, 195 },
    { 0, &ButtonYSurface, 220, TextNewProfile, 235 }
};

static void DrawHomeHints()
{
    for (unsigned i = 0; i < sizeof HomeHints / sizeof HomeHints[0]; ++i) {
        const HomeHint& hint = HomeHints[i];
        if (Profiles.size() >= hint.minimumProfiles)
            DrawHint(*hint.icon, hint.iconX, hint.textId, hint.textX);
    }
}

bool HomeReadAhead()
{
    if (ScreenMode != ScreenHome || ProfileCount() < 2) return false;
    const ProfileRecord* next = Profiles[NextIndex(SelectedProfile, ProfileCount())];
    const ProfileRecord* previous = Profiles[PreviousIndex(SelectedProfile, ProfileCount())];
    // The icons, a few small steps, come before the other neighbour's avatar: a press either
    // way then finds its icon rows read, and a right press everything.
    return PrepareAvatar(next) || PrepareRankingIcons(next, previous) || PrepareAvatar(previous);
}

void HomeScreen()
{
    HandleEvents();
    if (!Profiles.empty()) {
        DrawImage(CardSurface, 24, 24);
        DrawText(ScreenSurface, LanguageTable.GetText(TextCompleted), 156, 80, 0, 0, 0, FontSmall);
        DrawText(ScreenSurface, LanguageTable.GetText(TextFavourites), 156, 128, 0, 0, 0, FontSmall);
    }
    const ProfileRecord* profile = CurrentProfile();
    if (profile)
        DrawProfileCard(profile);
    SnapshotStep(profile ? profile->folder + ".bmp" : std::string(), NoticeCardSnapshot);
    DrawHomeHints();
    if (NoticeId != NoticeNone)
        DrawNotice();
    DrawPopup();
}
