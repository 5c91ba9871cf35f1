// Long random sequences of object-model operations, with the model's invariants checked after
// every step; the fake controls change the model from inside their notifications too. Fixed
// seeds and a bounded number of steps keep it deterministic and quick.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <sstream>

#include "core/commandbar/command_bar_handles.h"
#include "core/commandbar/command_bar_registry.h"
#include "fakes.h"
#include "model_invariants.h"

namespace core::commandbar {

namespace {

using testing::FakeControl;
using testing::FakeEnvironment;
using testing::FakeKeyboard;
using testing::FakeMeasurer;
using testing::BrokenModelInvariant;
using testing::IsRadio;

class RandomModel {
public:
    explicit RandomModel(unsigned seed) : random_(seed) {
        controls_.push_back(std::make_unique<FakeControl>(registry_, environment_, 100, 1000));
        controls_.push_back(std::make_unique<FakeControl>(registry_, environment_, 101, 1000));
        controls_.push_back(std::make_unique<FakeControl>(registry_, environment_, 102, 2000));
        controls_.push_back(std::make_unique<FakeControl>(registry_, environment_, 103, 103));
        controls_[3]->popupHost = true;
        // A control reacting to a change may itself change the model (its owner's event handlers
        // run inside the notification): now and then remove, place or move something from inside
        // one, the records being changed included.
        auto changeFromInside = [this] {
            // A removal is where a record placed again from inside is most easily left behind.
            if (insideNotification_ || !Chance(removing_ ? 75 : 25)) return;
            insideNotification_ = true;
            int choice = kInsideOperations[Pick(0, static_cast<int>(std::size(kInsideOperations)) - 1)];
            try {
                Run(choice);
                ++succeededInside_[choice];
            } catch (const RuntimeError&) {
            }
            insideNotification_ = false;
        };
        for (int i = 0; i < 3; ++i) {
            controls_[static_cast<std::size_t>(i)]->onBarChanged = changeFromInside;
            controls_[static_cast<std::size_t>(i)]->onBarRemoved = changeFromInside;
        }
        controls_[0]->mainMenu = true;
        for (auto& control : controls_) {
            control->supplyInstance = [this]() -> CommandBarControl* {
                FakeControl& host = *controls_[3];
                return registry_.Instances().Contains(HandleKey(103)) ? &host : nullptr;
            };
        }
    }

    // Runs one random operation; returns a short description for failure messages.
    std::string Step() {
        outerBar_.clear();
        outerButton_.clear();
        // Placement is weighted up, and unregistration (which may tear everything down) down.
        int choice = Pick(0, 36);
        if (choice > kLastOperation) choice = 9 + choice % 4;
        if ((choice == 1 || choice == 2) && !Chance(25)) choice = 16;
        if ((choice == 5 || choice == 8) && !Chance(35)) choice = 10;
        removing_ = choice == 5 || choice == 8;
        std::ostringstream what;
        what << "op " << choice;
        try {
            Run(choice);
            ++succeeded_[choice];
        } catch (const RuntimeError& error) {
            what << " raised " << error.Number();
        }
        return what.str();
    }

    // Returns an empty string when every invariant holds, else the first broken one.
    std::string Check() const { return BrokenModelInvariant(registry_); }

    // Removing bars and buttons, placing, inserting, and moving a button or a menu elsewhere.
    static constexpr int kInsideOperations[] = {5, 8, 9, 11, 17, 24};
    static constexpr int kLastOperation = 24;

    // How often each operation went through without an error, at the top and from inside a
    // notification.
    const std::map<int, int>& Succeeded() const { return succeeded_; }
    const std::map<int, int>& SucceededInside() const { return succeededInside_; }
    std::size_t LargestMembership() const { return largestMembership_; }
    void NoteSize() {
        std::size_t members = 0;
        for (std::int32_t i = 1; i <= registry_.BarCount(); ++i) members += registry_.GetBar(i).Buttons().Count();
        largestMembership_ = std::max(largestMembership_, members);
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

    // Inside a notification the keys lean to those the step outside is working on: the records
    // being changed are the ones whose removal or placement is hardest to get right.
    std::wstring BarKey() { return KeyFor(outerBar_, [this] { return AnyBarKey(); }); }
    std::wstring ButtonKey() { return KeyFor(outerButton_, [this] { return AnyButtonKey(); }); }
    template <typename Any>
    std::wstring KeyFor(std::wstring& outer, Any any) {
        if (insideNotification_) return !outer.empty() && Chance(50) ? outer : any();
        outer = any();
        return outer;
    }
    // Records shown by a control are favoured: only their changes reach the notifications.
    const BarRecord* ShownBar() {
        const std::wstring& key = controls_[static_cast<std::size_t>(Pick(0, 2))]->shownBar;
        return key.empty() ? nullptr : registry_.FindBar(key);
    }
    std::wstring AnyBarKey() {
        const BarRecord* shown = ShownBar();
        if (shown && Chance(40)) return shown->Key();
        if (registry_.BarCount() > 0 && Chance(70)) return registry_.GetBar(Pick(1, registry_.BarCount())).Key();
        static const wchar_t* const kExtra[] = {L"CHEVRON", L"CHEVRON:ADDORREMOVE", L"12", L" 7 "};
        if (Chance(10)) return kExtra[Pick(0, 3)];
        return L"BAR" + std::to_wstring(Pick(0, 7));
    }
    std::wstring AnyButtonKey() {
        const BarRecord* shown = ShownBar();
        if (shown && shown->Count() > 0 && Chance(40)) return shown->Item(Pick(1, shown->Count()))->Key();
        if (registry_.ButtonCount() > 0 && Chance(70))
            return registry_.GetButton(Pick(1, registry_.ButtonCount())).Key();
        static const wchar_t* const kExtra[] = {L"CHEVRON:ADDORREMOVE", L"CHEVRON:SEPARATOR", L"3.5"};
        if (Chance(8)) return kExtra[Pick(0, 2)];
        return L"BTN" + std::to_wstring(Pick(0, 15));
    }

    FakeControl& AnyControl() { return *controls_[static_cast<std::size_t>(Pick(0, 3))]; }
    // A handle owner: usually a live registered control, sometimes one that is gone.
    WindowHandle Owner() {
        std::vector<WindowHandle> live;
        for (auto& control : controls_) {
            if (registry_.Instances().Contains(HandleKey(control->Hwnd())) &&
                environment_.live.count(control->Hwnd())) {
                live.push_back(control->Hwnd());
            }
        }
        if (live.empty() || Chance(3)) return AnyControl().Hwnd();
        return live[static_cast<std::size_t>(Pick(0, static_cast<int>(live.size()) - 1))];
    }

    bool RadioAlreadyPlaced(const Button& button) {
        const ButtonRecord* record = registry_.FindButton(button.Key());
        // A radio button shared by bars whose groups disagree cannot satisfy both; keep each
        // radio button to one bar so the group invariant is meaningful.
        return record && IsRadio(*record) && record->Bars().Count() > 0;
    }

    void Run(int choice) {
        CommandBars bars(registry_, Owner());
        Buttons buttons(registry_, Owner());
        switch (choice) {
            case 0: {
                FakeControl& control = AnyControl();
                environment_.live.insert(control.Hwnd());
                control.Register();
                break;
            }
            case 1: {
                FakeControl& control = AnyControl();
                if (Chance(70)) control.ShowNothing();
                control.Unregister();
                break;
            }
            case 2:
                environment_.live.erase(AnyControl().Hwnd());
                break;
            case 3:
            case 4:
                bars.Add(BarKey(), Chance(50) ? L"Title" : L"");
                break;
            case 5:
                bars.Remove(BarKey());
                break;
            case 6:
            case 7:
                buttons.Add(ButtonKey(), Pick(-1, 3), Chance(60) ? L"&Item" : L"", static_cast<ButtonStyle>(Pick(0, 6)),
                            L"", static_cast<std::uint16_t>(Pick(0, 3) + 'A'), Pick(0, 7));
                break;
            case 8:
                buttons.Remove(ButtonKey());
                break;
            case 9:
            case 10: {
                Button button = buttons.Item(ButtonKey());
                if (RadioAlreadyPlaced(button)) break;
                bars.Item(BarKey()).Buttons().Add(button);
                break;
            }
            case 11: {
                Button button = buttons.Item(ButtonKey());
                if (RadioAlreadyPlaced(button)) break;
                CommandBarButtons list = bars.Item(BarKey()).Buttons();
                Button reference = buttons.Item(ButtonKey());
                if (Chance(50)) {
                    list.InsertBefore(button, reference);
                } else {
                    list.InsertAfter(button, reference);
                }
                break;
            }
            case 12:
                bars.Item(BarKey()).Buttons().Remove(ButtonKey());
                break;
            case 13:
                if (Chance(30)) bars.Item(BarKey()).Buttons().Clear();
                break;
            case 14:
            case 15:
                buttons.Item(ButtonKey()).SetChecked(Chance(60));
                break;
            case 16: {
                Button button = buttons.Item(ButtonKey());
                switch (Pick(0, 4)) {
                    case 0:
                        button.SetCaption(Chance(50) ? L"&Open" : L"");
                        break;
                    case 1:
                        button.SetVisible(Chance(50));
                        break;
                    case 2:
                        button.SetEnabled(Chance(70));
                        break;
                    case 3:
                        button.SetShortcutKey(static_cast<std::uint16_t>(Pick(0, 3) + 'A'));
                        break;
                    default:
                        button.SetPanelControl(Chance(50) ? 900 : 0);
                        break;
                }
                break;
            }
            case 17:
                buttons.Item(ButtonKey()).SetBar(bars.Item(BarKey()));
                break;
            case 18: {
                FakeControl& control = AnyControl();
                if (Chance(80)) {
                    control.Show(BarKey());
                } else {
                    control.ShowNothing();
                }
                break;
            }
            case 19: {
                static const WindowHandle kForms[] = {0, 1000, 2000};
                environment_.foreground = kForms[Pick(0, 2)];
                registry_.ProcessAccelerator(static_cast<std::uint16_t>(Pick(0, 3) + 'A'), Pick(0, 7));
                registry_.GetMainMenuControl();
                break;
            }
            case 20:
                registry_.SetMenuMode(Chance(50), AnyControl().Hwnd());
                break;
            case 21: {
                WindowHandle popup = AnyControl().Hwnd();
                if (Chance(50)) {
                    registry_.PushPopup(popup, AnyControl().Hwnd(), Chance(50), Chance(30));
                } else {
                    registry_.PopPopup(popup);
                }
                break;
            }
            case 22:
                if (Chance(50)) {
                    registry_.GetPopupControl();
                } else {
                    registry_.ReleasePopupControls();
                }
                break;
            case 24: {
                // Moves a button from one of its bars into another.
                Button button = buttons.Item(ButtonKey());
                const ButtonRecord& record = registry_.GetButton(button.Key());
                if (record.Bars().Empty()) break;
                std::wstring from = *record.Bars().KeyAt(Pick(1, record.Bars().Count()));
                bars.Item(from).Buttons().Remove(button.Key());
                if (RadioAlreadyPlaced(button)) break;
                bars.Item(BarKey()).Buttons().Add(button);
                break;
            }
            default: {
                std::wstring key = BarKey();
                if (BarRecord* bar = registry_.FindBar(key)) bar->ToggleOnClick(Pick(0, 4));
                // The toggle notifies controls, which may have removed the bar: look it up again.
                if (BarRecord* bar = registry_.FindBar(key)) {
                    FakeMeasurer text;
                    FakeKeyboard keyboard;
                    MeasureButtonParams params;
                    params.sizeStyle = static_cast<SizeStyle>(Pick(1, 4));
                    for (const auto& entry : bar->Buttons()) entry.value->Measure(params, false, text, keyboard);
                }
                break;
            }
        }
    }

    std::mt19937 random_;
    bool insideNotification_ = false;
    bool removing_ = false;
    std::wstring outerBar_;
    std::wstring outerButton_;
    std::map<int, int> succeeded_;
    std::map<int, int> succeededInside_;
    std::size_t largestMembership_ = 0;
    FakeEnvironment environment_;
    CommandBarRegistry registry_{environment_};
    std::vector<std::unique_ptr<FakeControl>> controls_;
};

// GLYPH_MODEL_STEPS sets another number of steps a seed (a quick look, or a longer search).
int StepsPerSeed() {
    const char* text = std::getenv("GLYPH_MODEL_STEPS");
    int steps = text ? std::atoi(text) : 0;
    return steps > 0 ? steps : 4000;
}

}  // namespace

TEST(ModelInvariants, HoldAfterEveryStepOfLongRandomSequences) {
    const int steps = StepsPerSeed();
    for (unsigned seed : {1u, 2u, 3u, 20261209u}) {
        RandomModel model(seed);
        for (int step = 0; step < steps; ++step) {
            std::string what = model.Step();
            std::string broken = model.Check();
            ASSERT_TRUE(broken.empty()) << "seed " << seed << ", step " << step << " (" << what << "): " << broken;
            model.NoteSize();
        }
        if (steps < 4000) continue;
        // The sequence must really exercise the model, not bounce off errors.
        for (int choice = 0; choice <= RandomModel::kLastOperation; ++choice) {
            EXPECT_GT(model.Succeeded().count(choice) ? model.Succeeded().at(choice) : 0, 5)
                << "seed " << seed << ", op " << choice;
        }
        for (int choice : RandomModel::kInsideOperations) {
            EXPECT_GT(model.SucceededInside().count(choice) ? model.SucceededInside().at(choice) : 0, 0)
                << "seed " << seed << ", op " << choice << " inside a notification";
        }
        EXPECT_GE(model.LargestMembership(), 15u) << "seed " << seed;
    }
}

}  // namespace core::commandbar
