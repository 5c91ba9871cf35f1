#include "win/controls.h"

#include <gtest/gtest.h>

#include "support/accessible.h"
#include "support/error_capture.h"
#include "win/accessible_name.h"
#include "support/pump.h"

namespace {

class HostWindow : public win::Window {
public:
    std::vector<std::pair<int, int>> commands;  // (control id, notification)

    HostWindow() {
        win::CreateArgs args;
        args.title = L"Host";
        args.width = 400;
        args.height = 300;
        Create(win::WindowClassArgs{L"GlyphTestHostWindow"}, args);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return DefaultProc(message, wParam, lParam);
    }
};

TEST(Panel, PassesChildNotificationsToTheForm) {
    HostWindow host;
    win::Panel panel;
    panel.Create(host.hwnd(), 10);
    win::ListBox list;
    list.Create(panel.hwnd(), 11);
    list.Append(L"Arial");
    ::SendMessageW(panel.hwnd(), WM_COMMAND, MAKEWPARAM(11, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.hwnd()));
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], std::make_pair(11, static_cast<int>(LBN_SELCHANGE)));
}

TEST(ListBox, BatchAppendKeepsOrderAndRepaintsAfterwards) {
    HostWindow host;
    ::ShowWindow(host.hwnd(), SW_SHOW);
    win::ListBox list;
    list.Create(host.hwnd(), 1);
    list.SetBounds(RECT{0, 0, 150, 200});
    list.BeginBatch(3, 30);
    for (const wchar_t* name : {L"Tahoma", L"Arial", L"Шрифт"}) list.Append(name);
    list.EndBatch();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemText(0), L"Tahoma");
    EXPECT_EQ(list.ItemText(2), L"Шрифт");
    EXPECT_EQ(list.ItemText(7), L"");
    EXPECT_EQ(list.Selected(), LB_ERR);
    list.Select(1);
    EXPECT_EQ(list.Selected(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(MultiLineEdit, HoldsTextLongerThanTheDefaultLimit) {
    HostWindow host;
    win::MultiLineEdit edit;
    edit.Create(host.hwnd(), 1);
    std::wstring text(100000, L'ж');
    edit.SetText(text);
    EXPECT_EQ(edit.TextLength(), 100000);
    EXPECT_EQ(edit.Text(), text);
}

TEST(Timer, TicksUntilDisabledAndStopsWithItsObject) {
    HostWindow host;
    int ticks = 0;
    {
        win::Timer timer;
        timer.SetOwner(host.hwnd());
        timer.SetInterval(1);
        timer.OnTick([&] {
            ++ticks;
            timer.SetEnabled(false);
        });
        timer.SetEnabled(true);
        ASSERT_TRUE(testing_support::PumpUntil([&] { return ticks > 0; }, 2000));
        testing_support::PumpFor(50);
        EXPECT_EQ(ticks, 1);
        timer.SetEnabled(true);
        ASSERT_TRUE(testing_support::PumpUntil([&] { return ticks > 1; }, 2000));
        timer.OnTick([&] { ++ticks; });
        timer.SetEnabled(true);
    }
    int afterDestruction = ticks;
    testing_support::PumpFor(50);
    EXPECT_EQ(ticks, afterDestruction);
}

TEST(Timer, HandlerErrorsAreReportedNotThrown) {
    testing_support::ErrorCapture capture;
    HostWindow host;
    win::Timer timer;
    timer.SetOwner(host.hwnd());
    timer.SetInterval(1);
    timer.OnTick([&] {
        timer.SetEnabled(false);
        throw core::RuntimeError(9, L"Subscript out of range", L"test");
    });
    timer.SetEnabled(true);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !capture.errors().empty(); }, 2000));
    EXPECT_EQ(capture.errors()[0].Number(), 9);
}

TEST(Timer, RefusesToStartWithoutAnOwner) {
    win::Timer timer;
    EXPECT_THROW(timer.SetEnabled(true), core::RuntimeError);
    EXPECT_FALSE(timer.Enabled());
}

// Renaming replaces name and role; an object kept after its control is destroyed still answers.
TEST(AccessibleName, RenamesAndOutlivesTheControl) {
    HostWindow host;
    win::PushButton button;
    button.Create(host.hwnd(), 7, L"...");
    win::SetAccessibleName(button.hwnd(), L"Выбрать цвет");
    win::SetAccessibleName(button.hwnd(), L"Выбрать шрифт", ROLE_SYSTEM_LINK);
    testing_support::AccessiblePtr object = testing_support::ClientObject(button.hwnd());
    ASSERT_TRUE(object);
    EXPECT_EQ(testing_support::NameAndRole(*object),
              std::make_pair(std::wstring(L"Выбрать шрифт"), LONG{ROLE_SYSTEM_LINK}));
    ::DestroyWindow(button.hwnd());
    EXPECT_EQ(testing_support::NameAndRole(*object).first, L"Выбрать шрифт");
}

}  // namespace
