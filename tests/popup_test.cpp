// Popup and notice boxes, pixel for pixel against the shapes and texts they are made of.
#include <gtest/gtest.h>

#include <functional>

#include "frame/state.h"
#include "graphics/draw.h"
#include "graphics/media.h"
#include "graphics/popup.h"
#include "localization/language_table.h"
#include "localization/texts.h"
#include "tests/support/graphics_support.h"
#include "tests/support/test_support.h"

// Pixels that differ between the screens drawn by `shown` and by `expected` on fresh screens.
static int Differences(const std::function<void()>& shown, const std::function<void()>& expected)
{
    MakeTestScreen();
    shown();
    SDL_Surface* first = std::exchange(ScreenSurface, nullptr);
    MakeTestScreen();
    expected();
    const int wrong = WrongPixels(ScreenSurface, [first](int x, int y) { return PixelAt(first, x, y); });
    SDL_FreeSurface(first);
    return wrong;
}

// The screen and the small font for one test; the popup state and texts reset after it.
struct PopupTest : testing::Test {
    void SetUp() override { MakeTestScreen(); FontSmall = OpenBuildFont(8); }
    void TearDown() override
    {
        TTF_CloseFont(std::exchange(FontSmall, nullptr));
        PopupId = PopupCursor = 0;
        LanguageTable.texts.clear();
    }
};

// Each box: navy with a white border, the cyan bar of the lit line at y + 8 + 10 x cursor (none
// past the lines), yellow lines 10 apart, the line count set; other ids draw nothing. A notice
// box is 20 wider than its text, at most 250, centred on x 160 at y 100, 35 high.
TEST_F(PopupTest, Boxes)
{
    const struct { int id, x, y, w, h, lines; TextId text[3]; } boxes[] = {
        {1, 110, 98, 100, 45, 3, {TextSnapshot, TextRemoveProfile, TextExit}},
        {2, 110, 103, 100, 35, 2, {TextRemoveProfile, TextCancel}},
        {3, 100, 98, 120, 45, 3, {TextSnapshot, TextRemoveGame, TextExit}},
        {4, 100, 103, 120, 35, 2, {TextRemoveGame, TextCancel}},
    };
    for (int id = 0; id <= TextNoticeNoName; ++id)
        LanguageTable.texts.push_back("Line " + std::to_string(id));
    for (const auto& box : boxes)
        for (PopupCursor = 0; PopupCursor <= box.lines; ++PopupCursor) {
            PopupId = box.id;
            EXPECT_EQ(Differences(DrawPopup, [&] {
                const SDL_Rect rect{Sint16(box.x), Sint16(box.y), Uint16(box.w), Uint16(box.h)};
                DrawBox(rect, ScreenColour(0, 0, 128), 0xFFFF);
                SDL_Rect bar{Sint16(box.x + 1), Sint16(box.y + 8 + 10 * PopupCursor), Uint16(box.w - 2), 10};
                if (PopupCursor < box.lines)
                    SDL_FillRect(ScreenSurface, &bar, ScreenColour(0, 180, 180));
                for (int i = 0; i < box.lines; ++i)
                    DrawText(ScreenSurface, LanguageTable.GetText(box.text[i]), box.x + 10,
                             box.y + 5 + 10 * i, 255, 255, 0, FontSmall);
            }), 0) << "box " << box.id << " cursor " << PopupCursor;
            EXPECT_EQ(PopupItemCount, box.lines);
        }
    for (PopupId = -1; PopupId <= 5; PopupId += 6)
        EXPECT_EQ(Differences(DrawPopup, [] {}), 0) << PopupId;
    const struct { int text, x, w; } cases[] = {{250, 25, 270}, {251, 35, 250}, {-7, 150, 20}};
    for (const auto& c : cases) {
        const SDL_Rect r = NoticeBoxRect(c.text);
        EXPECT_TRUE(r.x == c.x && r.y == 100 && r.w == c.w && r.h == 35) << c.text;
    }
}

// Pictures for a person to check the wording in place, in every shipped language: each popup
// (second line lit) and a two-line notice over the background, in <build>/pictures/popups/.
TEST_F(PopupTest, PicturesInEveryLanguage)
{
    WorkingDirectory cwd(BuildDir());
    class LanguageTable shipped;
    SDL_Surface* background = LoadBitmap("media/background.bmp");
    MakeDir("pictures/popups");
    for (unsigned i = 0; i < shipped.LanguageCount(); ++i) {
        shipped.SetLanguageIndex(i);
        std::swap(LanguageTable.texts, shipped.texts);
        const std::string file = "pictures/popups/" + shipped.languages[i].file.substr(0, shipped.languages[i].file.find('.'));
        const std::string notice = std::string(LanguageTable.GetText(TextSnapshotSaved)) + " vok_player.bmp "
                                   + LanguageTable.GetText(TextSnapshotWhere);
        PopupCursor = 1;
        for (PopupId = 1; PopupId <= 5; ++PopupId) { // 5: the notice
            DrawImage(background, 0, 0);
            DrawPopup();
            if (PopupId == 5) DrawNoticeBox(notice.c_str());
            const std::string path = file + (PopupId < 5 ? "-popup" + std::to_string(PopupId) : "-notice");
            EXPECT_EQ(SDL_SaveBMP(ScreenSurface, (path + ".bmp").c_str()), 0) << path;
        }
        std::swap(LanguageTable.texts, shipped.texts);
    }
    SDL_FreeSurface(background);
}
