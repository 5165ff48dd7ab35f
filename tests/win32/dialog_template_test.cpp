// Template 101 as Windows builds the dialog from it: caption, size in dialog
// units, font, and each control's id, kind, text, place, size and style, in
// template (and tab) order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/dialog_watcher.h"
#include "tests/win32/fake_host.h"

namespace quorrel_test {
namespace {

enum class Kind { kEdit, kDefaultButton, kButton, kStatic, kGroupBox };

struct ExpectedControl {
    int id;  // 0xFFFF for controls without an id
    Kind kind;
    const char* text;
    int x, y, cx, cy;  // dialog units
};

constexpr int kNoId = 0xFFFF;
const ExpectedControl kTemplate[] = {
    {1004, Kind::kEdit, nullptr, 56, 20, 22, 12},
    {1005, Kind::kEdit, nullptr, 79, 20, 22, 12},
    {1006, Kind::kEdit, nullptr, 103, 20, 22, 12},
    {1002, Kind::kEdit, nullptr, 31, 35, 22, 12},
    {1003, Kind::kEdit, nullptr, 55, 35, 22, 12},
    {1009, Kind::kEdit, nullptr, 79, 35, 22, 12},
    {1010, Kind::kEdit, nullptr, 103, 35, 22, 12},
    {1011, Kind::kEdit, nullptr, 195, 20, 22, 12},
    {1013, Kind::kEdit, nullptr, 219, 20, 22, 12},
    {1014, Kind::kEdit, nullptr, 243, 20, 22, 12},
    {1012, Kind::kEdit, nullptr, 171, 35, 22, 12},
    {1015, Kind::kEdit, nullptr, 195, 35, 22, 12},
    {1016, Kind::kEdit, nullptr, 219, 35, 22, 12},
    {1017, Kind::kEdit, nullptr, 243, 35, 22, 12},
    {IDOK, Kind::kDefaultButton, "OK", 164, 100, 50, 14},
    {IDCANCEL, Kind::kButton, "Cancel", 223, 100, 50, 14},
    {kNoId, Kind::kStatic, "a[i]:", 14, 21, 12, 8},
    {kNoId, Kind::kStatic, "b[i]:", 14, 37, 12, 8},
    {kNoId, Kind::kGroupBox, "Y", 7, 6, 125, 51},
    {kNoId, Kind::kGroupBox, "UV", 148, 5, 125, 52},
    {kNoId, Kind::kStatic, "a[i]:", 153, 21, 12, 8},
    {kNoId, Kind::kStatic, "b[i]:", 153, 37, 12, 8},
    {kNoId, Kind::kStatic, "y[i] = -y[i-1]*a[2] - y[i-2]*a[3] - ...", 22, 77, 96, 8},
    {kNoId, Kind::kStatic, "+ x[i]*b[1] + x[i-1]*b[2] + ...", 44, 86, 82, 8},
    {kNoId, Kind::kStatic, "Processing from left to right and then from right to left:", 9, 66,
     168, 8},
};

// What the watcher saw of one control.
struct SeenControl {
    int id;
    std::string class_name;
    std::string text;
    LONG style;
    LONG ex_style;
    RECT place;     // pixels, in the dialog's client area: left, top, width, height
    RECT expected;  // the template's dialog units mapped to pixels the same way
};

struct SeenDialog {
    std::string caption;
    LONG style = 0;
    RECT client{};
    RECT expected_client{};
    LRESULT default_id = 0;
    LOGFONTA font{};
    int font_height = 0;  // what 8 points are in this display's pixels
    std::vector<SeenControl> controls;
    std::vector<int> tab_order;
};

RECT MappedSize(HWND dialog, int x, int y, int cx, int cy) {
    RECT r{x, y, cx, cy};  // each coordinate is mapped on its own
    MapDialogRect(dialog, &r);
    return r;
}

SeenDialog Look(HWND dialog) {
    SeenDialog seen;
    seen.caption = WindowText(dialog);
    seen.style = GetWindowLongA(dialog, GWL_STYLE);
    GetClientRect(dialog, &seen.client);
    seen.expected_client = MappedSize(dialog, 0, 0, 280, 121);
    seen.default_id = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    GetObjectA(font, sizeof seen.font, &seen.font);
    HDC screen = GetDC(nullptr);
    seen.font_height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);

    size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        SeenControl c;
        c.id = GetDlgCtrlID(child) & 0xFFFF;
        char class_name[32] = "";
        GetClassNameA(child, class_name, sizeof class_name);
        c.class_name = class_name;
        c.text = WindowText(child);
        c.style = GetWindowLongA(child, GWL_STYLE);
        c.ex_style = GetWindowLongA(child, GWL_EXSTYLE);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        c.place = RECT{r.left, r.top, r.right - r.left, r.bottom - r.top};
        if (index < std::size(kTemplate)) {
            const ExpectedControl& e = kTemplate[index];
            c.expected = MappedSize(dialog, e.x, e.y, e.cx, e.cy);
        }
        seen.controls.push_back(c);
    }
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND item = first; item != nullptr && seen.tab_order.size() < 40;) {
        seen.tab_order.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(dialog, item, FALSE);
        if (item == first) break;
    }
    return seen;
}

void ExpectKind(const SeenControl& c, Kind kind) {
    const LONG s = c.style;
    EXPECT_EQ(s & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    switch (kind) {
    case Kind::kEdit:
        EXPECT_EQ(c.class_name, "Edit");
        EXPECT_TRUE(s & WS_TABSTOP);
        EXPECT_TRUE(s & ES_RIGHT);
        EXPECT_FALSE(s & WS_BORDER);
        EXPECT_FALSE(s & ES_AUTOHSCROLL);
        EXPECT_FALSE(s & ES_MULTILINE);
        EXPECT_TRUE(c.ex_style & WS_EX_STATICEDGE);
        break;
    case Kind::kDefaultButton:
    case Kind::kButton:
        EXPECT_EQ(c.class_name, "Button");
        EXPECT_TRUE(s & WS_TABSTOP);
        EXPECT_EQ(s & BS_TYPEMASK, kind == Kind::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case Kind::kStatic:
        EXPECT_EQ(c.class_name, "Static");
        EXPECT_FALSE(s & WS_TABSTOP);
        EXPECT_TRUE(s & WS_GROUP);
        EXPECT_EQ(s & SS_TYPEMASK, SS_LEFT);
        break;
    case Kind::kGroupBox:
        EXPECT_EQ(c.class_name, "Button");
        EXPECT_FALSE(s & WS_TABSTOP);
        EXPECT_EQ(s & BS_TYPEMASK, BS_GROUPBOX);
        break;
    }
}

TEST(DialogTemplate, AsWindowsBuildsIt) {
    RegisteredFilter filter;
    ASSERT_TRUE(filter.Register());
    HostInstance instance(filter);
    ASSERT_EQ(instance.Init(), 0);
    SeenDialog seen;
    DialogActions actions;
    actions.inspect = [&](HWND dialog) { seen = Look(dialog); };
    int result = -1;
    const DialogRecord record =
        RunDialogWithWatcher([&] { return instance.Configure(nullptr); }, actions, &result);
    filter.Unregister();
    ASSERT_TRUE(record.found) << record.error;
    EXPECT_EQ(result, 1);

    EXPECT_EQ(seen.caption, "Filter: Quorrel");
    const LONG frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(seen.style & frame, frame);
    EXPECT_EQ(seen.client.right - seen.client.left, seen.expected_client.right);
    EXPECT_EQ(seen.client.bottom - seen.client.top, seen.expected_client.bottom);
    EXPECT_STREQ(seen.font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(seen.font.lfHeight, seen.font_height);
    EXPECT_EQ(LOWORD(seen.default_id), IDOK);
    EXPECT_EQ(HIWORD(seen.default_id), DC_HASDEFID);

    ASSERT_EQ(seen.controls.size(), std::size(kTemplate));
    for (size_t i = 0; i < seen.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(kTemplate[i].id));
        const SeenControl& c = seen.controls[i];
        const ExpectedControl& e = kTemplate[i];
        EXPECT_EQ(c.id, e.id);
        if (e.text != nullptr) {
            EXPECT_EQ(c.text, e.text);
        }
        ExpectKind(c, e.kind);
        EXPECT_EQ(c.place.left, c.expected.left);
        EXPECT_EQ(c.place.top, c.expected.top);
        EXPECT_EQ(c.place.right, c.expected.right) << "width";
        EXPECT_EQ(c.place.bottom, c.expected.bottom) << "height";
    }
    const std::vector<int> tab_order = {1004, 1005, 1006, 1002, 1003, 1009, 1010, 1011,
                                        1013, 1014, 1012, 1015, 1016, 1017, IDOK, IDCANCEL};
    EXPECT_EQ(seen.tab_order, tab_order);
}

}  // namespace
}  // namespace quorrel_test
