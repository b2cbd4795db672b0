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

namespace {

// Pixels that differ between the screens drawn by `shown` and by `expected` on fresh screens.
int Differences(const std::function<void()>& shown, const std::function<void()>& expected)
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
    void SetUp() override
    {
        MakeTestScreen();
        FontSmall = OpenBuildFont(8);
    }
    void TearDown() override
    {
        TTF_CloseFont(FontSmall);
        FontSmall = nullptr;
        PopupId = PopupCursor = 0;
        LanguageTable.texts.clear();
    }
};

} // namespace

// Each box, with and without a language loaded: a navy box with a white border, the cyan bar
// of the lit line at y + 8 + 10 x cursor (box 2 opened on line 1: y 121; none for a cursor past
// the lines), the yellow lines 10 pixels apart, and the line count set. Other ids draw nothing.
TEST_F(PopupTest, BoxesBarsAndLines)
{
    const struct { int id, x, y, w, h, lines; TextId text[3]; } boxes[] = {
        {1, 110, 98, 100, 45, 3, {TextSnapshot, TextRemoveProfile, TextExit}},
        {2, 110, 103, 100, 35, 2, {TextRemoveProfile, TextCancel}},
        {3, 100, 98, 120, 45, 3, {TextSnapshot, TextRemoveGame, TextExit}},
        {4, 100, 103, 120, 35, 2, {TextRemoveGame, TextCancel}},
    };
    for (bool language : { false, true }) {
        for (int id = 0; language && id <= TextNoticeNoName; ++id)
            LanguageTable.texts.push_back("Line " + std::to_string(id));
        for (const auto& box : boxes)
            for (PopupCursor = 0; PopupCursor <= box.lines; ++PopupCursor) {
                PopupId = box.id;
                PopupItemCount = 99;
                EXPECT_EQ(Differences(DrawPopup, [&] {
                    const SDL_Rect rect{Sint16(box.x), Sint16(box.y), Uint16(box.w), Uint16(box.h)};
                    DrawBox(rect, ScreenColour(0, 0, 128), 0xFFFF);
                    const Sint16 barY = Sint16(box.y + 8 + 10 * PopupCursor);
                    SDL_Rect bar{Sint16(box.x + 1), barY, Uint16(box.w - 2), 10};
                    if (PopupCursor < box.lines)
                        SDL_FillRect(ScreenSurface, &bar, ScreenColour(0, 180, 180));
                    for (int i = 0; i < box.lines; ++i) {
                        const std::string line = language ? "Line " + std::to_string(box.text[i]) : "";
                        DrawText(ScreenSurface, line.c_str(), box.x + 10, box.y + 5 + 10 * i,
                                 255, 255, 0, FontSmall);
                    }
                }), 0) << "box " << box.id << " cursor " << PopupCursor;
                EXPECT_EQ(PopupItemCount, box.lines);
            }
    }
    PopupItemCount = 2;
    for (PopupId = -1; PopupId <= 5; PopupId += 6) {
        EXPECT_EQ(Differences(DrawPopup, [] {}), 0) << PopupId;
        EXPECT_EQ(PopupItemCount, 2) << PopupId;
    }
}

// A notice box is 20 wider than its text up to a text of 250 and 250 for wider ones, centred
// on x 160 at y 100, 35 high; a long text is measured whole and drawn in two lines.
TEST_F(PopupTest, NoticeBox)
{
    const struct { int text, x, w; } cases[] = {
        // Up to a text of 250, then 250 wide; an empty or negative width still a box.
        {230, 35, 250}, {240, 30, 260}, {250, 25, 270},
        {251, 35, 250}, {260, 35, 250},
        {0, 150, 20}, {-7, 150, 20},
    };
    for (const auto& c : cases) {
        const SDL_Rect r = NoticeBoxRect(c.text);
        EXPECT_TRUE(r.x == c.x && r.y == 100 && r.w == c.w && r.h == 35) << c.text;
    }
    const std::string first = "Your picture was saved as vok_player.bmp, in the";
    const std::string second = "folder of the card";
    const std::string text = first + " " + second; // split at its space at index 48
    const SDL_Rect rect = NoticeBoxRect(TextWidth(FontSmall, text.c_str()));
    EXPECT_EQ(rect.w, 250);
    EXPECT_EQ(Differences([&] { DrawNoticeBox(text.c_str()); }, [&] {
        DrawBox(rect, ScreenColour(0, 0, 255), 0xFFFF);
        DrawText(ScreenSurface, first.c_str(), rect.x + 10, 105, 255, 255, 0, FontSmall);
        DrawText(ScreenSurface, second.c_str(), rect.x + 10, 115, 255, 255, 0, FontSmall);
    }), 0);
}

// Pictures for a person to check the wording in place: each popup box (second line lit) and
// a two-line notice over the background, in every shipped language, as
// <build>/pictures/popups/<language file>-popupN.bmp and -notice.bmp.
TEST_F(PopupTest, PicturesInEveryLanguage)
{
    WorkingDirectory cwd(BuildDir());
    class LanguageTable shipped;
    ASSERT_GT(shipped.LanguageCount(), 0u);
    SDL_Surface* background = LoadBitmap("media/background.bmp");
    MakeDir("pictures/popups");
    for (unsigned i = 0; i < shipped.LanguageCount(); ++i) {
        shipped.SetLanguageIndex(i);
        std::swap(LanguageTable.texts, shipped.texts);
        const std::string& languageFile = shipped.languages[i].file;
        const std::string file = "pictures/popups/" + languageFile.substr(0, languageFile.find('.'));
        PopupCursor = 1;
        for (PopupId = 1; PopupId <= 5; ++PopupId) { // 5: the notice
            DrawImage(background, 0, 0);
            DrawPopup();
            const std::string notice = std::string(LanguageTable.GetText(TextSnapshotSaved))
                + " vok_player.bmp " + LanguageTable.GetText(TextSnapshotWhere);
            if (PopupId == 5)
                DrawNoticeBox(notice.c_str());
            const std::string kind = PopupId < 5 ? "-popup" + std::to_string(PopupId) : "-notice";
            const std::string path = file + kind + ".bmp";
            EXPECT_EQ(SDL_SaveBMP(ScreenSurface, path.c_str()), 0) << path;
        }
        std::swap(LanguageTable.texts, shipped.texts);
    }
    SDL_FreeSurface(background);
}
