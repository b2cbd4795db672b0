// Popup and notice boxes: their rectangles and colours, the highlight bar of each line, the
// line count each box sets, notice widths; and pictures of every box in every shipped
// language, saved under the build tree for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"

namespace {

struct BoxCase {
    int id, x, y, w, h, lines;
};
const BoxCase Boxes[] = {
    { 1, 110, 98, 100, 45, 3 },
    { 2, 110, 103, 100, 35, 2 },
    { 3, 100, 98, 120, 45, 3 },
    { 4, 100, 103, 120, 35, 2 },
};

bool Inside(int x, int y, const SDL_Rect& r) { return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h; }

// Inside the rectangle less the three pixels cut at each corner.
bool InRound(int x, int y, const SDL_Rect& r)
{
    if (!Inside(x, y, r)) return false;
    int i = x - r.x, j = y - r.y;
    return std::min(i, r.w - 1 - i) + std::min(j, r.h - 1 - j) > 1;
}

SDL_Rect Shrunk(SDL_Rect r)
{
    r.x = Sint16(r.x + 1);
    r.y = Sint16(r.y + 1);
    r.w = Uint16(r.w - 2);
    r.h = Uint16(r.h - 2);
    return r;
}

} // namespace

// Each box has its fixed rectangle; other ids have none.
TEST(Popup, Rectangles)
{
    for (const BoxCase& box : Boxes) {
        SDL_Rect rect;
        ASSERT_TRUE(PopupRect(box.id, &rect));
        EXPECT_EQ(rect.x, box.x);
        EXPECT_EQ(rect.y, box.y);
        EXPECT_EQ(rect.w, box.w);
        EXPECT_EQ(rect.h, box.h);
    }
    SDL_Rect rect;
    for (int id : { 0, 5, -1, 1000 }) EXPECT_FALSE(PopupRect(id, &rect)) << id;
}

// Drawn with no language loaded: a navy box with a white border, the cyan bar of the
// highlighted line at y + 8 + 10 x cursor, 10 high, inside the border; the box sets
// PopupItemCount. A cursor outside the box's lines gets no bar.
TEST(Popup, BoxesAndBars)
{
    LanguageTable.texts.clear();
    for (const BoxCase& box : Boxes) {
        for (int cursor = 0; cursor <= box.lines; ++cursor) {
            MakeTestScreen();
            const Uint32 navy = MapColour(ScreenSurface, 0, 0, 128), cyan = MapColour(ScreenSurface, 0, 180, 180);
            PopupId = box.id;
            PopupCursor = cursor;
            PopupItemCount = 99;
            DrawPopup();
            EXPECT_EQ(PopupItemCount, box.lines);
            SDL_Rect bar;
            bar.x = Sint16(box.x + 1);
            bar.y = Sint16(box.y + 8 + 10 * cursor);
            bar.w = Uint16(box.w - 2);
            bar.h = cursor < box.lines ? 10 : 0;
            SDL_Rect whole;
            PopupRect(box.id, &whole);
            int wrong = 0;
            for (int y = 0; y < 240; ++y) {
                for (int x = 0; x < 320; ++x) {
                    Uint32 pixel = PixelAt(ScreenSurface, x, y);
                    Uint32 want = InRound(x, y, whole) ? 0xFFFF : 0;
                    if (InRound(x, y, Shrunk(whole))) want = navy;
                    if (Inside(x, y, bar)) want = cyan;
                    wrong += pixel != want;
                }
            }
            EXPECT_EQ(wrong, 0) << "box " << box.id << " cursor " << cursor;
        }
    }
    // Box 2 opened from line 1 of box 1: the cancelling line is highlighted, bar at y 121.
    MakeTestScreen();
    PopupId = 2;
    PopupCursor = 1;
    DrawPopup();
    EXPECT_EQ(PixelAt(ScreenSurface, 150, 121), MapColour(ScreenSurface, 0, 180, 180));
    EXPECT_EQ(PixelAt(ScreenSurface, 150, 120), MapColour(ScreenSurface, 0, 0, 128));
    EXPECT_EQ(PixelAt(ScreenSurface, 150, 130), MapColour(ScreenSurface, 0, 180, 180));
    EXPECT_EQ(PixelAt(ScreenSurface, 150, 131), MapColour(ScreenSurface, 0, 0, 128));

    // Any other id draws nothing and keeps the line count.
    for (int id : { 0, 5, -3 }) {
        MakeTestScreen();
        PopupId = id;
        PopupItemCount = 2;
        DrawPopup();
        EXPECT_EQ(PopupItemCount, 2);
        EXPECT_EQ(CountPixels(ScreenSurface, 0), 320 * 240);
    }
    PopupId = 0;
    PopupCursor = 0;
    PopupItemCount = 3;
}

// The lines are the box's texts in yellow, 10 pixels apart, inside the box.
TEST(Popup, LinesShowTheirTexts)
{
    MakeTestScreen();
    FontSmall = OpenBuildFont(8);
    ASSERT_NE(FontSmall, nullptr);
    LanguageTable.texts.assign(36, "");
    LanguageTable.texts[TextSnapshot] = "Snap";
    LanguageTable.texts[TextRemoveGame] = "Remove";
    LanguageTable.texts[TextExit] = "Exit";
    PopupId = 3;
    PopupCursor = 2;
    DrawPopup();
    SDL_Surface* expected = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    SDL_Surface* screen = ScreenSurface;
    ScreenSurface = expected;
    SDL_Rect rect;
    PopupRect(3, &rect);
    DrawBox(rect, ScreenColour(0, 0, 128), ScreenColour(255, 255, 255));
    SDL_Rect bar = { 101, 98 + 28, 118, 10 };
    SDL_FillRect(expected, &bar, ScreenColour(0, 180, 180));
    DrawText(expected, "Snap", 110, 103, 255, 255, 0, FontSmall);
    DrawText(expected, "Remove", 110, 113, 255, 255, 0, FontSmall);
    DrawText(expected, "Exit", 110, 123, 255, 255, 0, FontSmall);
    ScreenSurface = screen;
    EXPECT_TRUE(SameSurfaces(expected, ScreenSurface));
    EXPECT_GT(CountPixels(ScreenSurface, MapColour(ScreenSurface, 255, 255, 0)), 20);
    SDL_FreeSurface(expected);
    TTF_CloseFont(FontSmall);
    FontSmall = nullptr;
    LanguageTable.texts.clear();
    PopupId = 0;
    PopupCursor = 0;
}

// A notice box is 20 wider than its text up to a text of 250, and 250 for wider texts,
// centred on x 160 at y 100, 35 high; without a font it is an empty 20-pixel box.
TEST(Popup, NoticeBoxWidths)
{
    struct Case {
        int text, x, w;
    };
    for (const Case& c : { Case{ 230, 35, 250 }, Case{ 240, 30, 260 }, Case{ 250, 25, 270 },
                           Case{ 251, 35, 250 }, Case{ 260, 35, 250 }, Case{ 0, 150, 20 },
                           Case{ 5, 148, 25 }, Case{ -7, 150, 20 }, Case{ 100000, 35, 250 } }) {
        SDL_Rect rect = NoticeBoxRect(c.text);
        EXPECT_EQ(rect.x, c.x) << c.text;
        EXPECT_EQ(rect.w, c.w) << c.text;
        EXPECT_EQ(rect.y, 100);
        EXPECT_EQ(rect.h, 35);
    }
    MakeTestScreen();
    DrawNoticeBox("no font, no text");
    EXPECT_EQ(PixelAt(ScreenSurface, 152, 100), 0xFFFFu);
    EXPECT_EQ(PixelAt(ScreenSurface, 160, 120), MapColour(ScreenSurface, 0, 0, 255));
    EXPECT_EQ(PixelAt(ScreenSurface, 149, 120), 0u);
    EXPECT_EQ(PixelAt(ScreenSurface, 170, 120), 0u);

    // With the font: the box measured on the whole text, the text split in two lines.
    MakeTestScreen();
    FontSmall = OpenBuildFont(8);
    ASSERT_NE(FontSmall, nullptr);
    const std::string text = "Picture saved as vok_somebody_with_a_long_name.bmp in the folder of the card";
    DrawNoticeBox(text.c_str());
    SDL_Rect rect = NoticeBoxRect(TextWidth(FontSmall, text.c_str()));
    EXPECT_EQ(rect.w, 250);
    EXPECT_EQ(PixelAt(ScreenSurface, rect.x + 2, 100), 0xFFFFu);
    EXPECT_EQ(PixelAt(ScreenSurface, rect.x + rect.w - 3, 134), 0xFFFFu);
    EXPECT_EQ(PixelAt(ScreenSurface, rect.x + rect.w, 120), 0u);
    int yellowFirst = 0, yellowSecond = 0;
    for (int x = 0; x < 320; ++x) {
        for (int y = 105; y < 115; ++y) yellowFirst += PixelAt(ScreenSurface, x, y) == MapColour(ScreenSurface, 255, 255, 0);
        for (int y = 116; y < 128; ++y) yellowSecond += PixelAt(ScreenSurface, x, y) == MapColour(ScreenSurface, 255, 255, 0);
    }
    EXPECT_GT(yellowFirst, 10);
    EXPECT_GT(yellowSecond, 10);
    TTF_CloseFont(FontSmall);
    FontSmall = nullptr;
}

// Pictures for a person to check: each popup box (second line highlighted) and a two-line
// notice over the background, in every shipped language, as
// <build>/pictures/popups/<language file>-popupN.bmp and -notice.bmp.
TEST(Popup, PicturesInEveryLanguage)
{
    WorkingDirectory cwd(BuildDir());
    LanguageTable.ScanLanguages();
    if (LanguageTable.LanguageCount() == 0) GTEST_SKIP() << "no language files in the build tree yet";
    MakeTestScreen();
    FontSmall = OpenBuildFont(8);
    ASSERT_NE(FontSmall, nullptr);
    LoadMedia();
    const std::string folder = BuildDir() + "/pictures/popups/";
    MakeDir(folder);
    for (unsigned i = 0; i < LanguageTable.LanguageCount(); ++i) {
        LanguageTable.SetLanguageIndex(i);
        std::string name = LanguageTable.languages[i].file;
        name = name.substr(0, name.find('.'));
        for (int id = 1; id <= 4; ++id) {
            DrawImage(BackgroundSurface, 0, 0);
            PopupId = id;
            PopupCursor = 1;
            DrawPopup();
            std::string path = folder + name + "-popup" + std::to_string(id) + ".bmp";
            EXPECT_EQ(SDL_SaveBMP(ScreenSurface, path.c_str()), 0) << path;
        }
        DrawImage(BackgroundSurface, 0, 0);
        std::string notice = std::string(LanguageTable.GetText(TextSnapshotSaved)) + " vok_player.bmp " +
                             LanguageTable.GetText(TextSnapshotWhere);
        DrawNoticeBox(notice.c_str());
        std::string path = folder + name + "-notice.bmp";
        EXPECT_EQ(SDL_SaveBMP(ScreenSurface, path.c_str()), 0) << path;
    }
    FreeMedia();
    TTF_CloseFont(FontSmall);
    FontSmall = nullptr;
    PopupId = 0;
    PopupCursor = 0;
    LanguageTable.texts.clear();
}
