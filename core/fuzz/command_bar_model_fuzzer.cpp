// The command bar model driven by a byte stream read as a sequence of operations: controls
// register, unregister and die; bars and buttons are added and removed; buttons are placed,
// inserted, removed, cleared, re-parented and changed; menus, popups and accelerators run. An
// operation may also be armed to run from inside a control's next notification, as an event
// handler of the control's owner would. The model's invariants are checked after every step.

#include <array>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commandbar/fakes.h"
#include "commandbar/model_invariants.h"
#include "core/commandbar/bar_layout.h"
#include "core/commandbar/command_bar_handles.h"
#include "core/commandbar/command_bar_registry.h"
#include "fuzz_input.h"

namespace core::commandbar {
namespace {

using testing::FakeControl;

constexpr int kMaxSteps = 200;

// GLYPH_FUZZ_TRACE=1 prints the operations and keys an input runs, to read a crash by.
void Trace(const std::wstring& text) {
    static const bool tracing = std::getenv("GLYPH_FUZZ_TRACE") != nullptr;
    if (!tracing) return;
    for (wchar_t ch : text) std::fputc(ch < 0x80 ? static_cast<char>(ch) : '?', stderr);
}
constexpr std::size_t kNestedOperationBytes = 12;

class ModelDriver {
public:
    ModelDriver() {
        controls_[0] = std::make_unique<FakeControl>(registry_, environment_, 100, 1000);
        controls_[1] = std::make_unique<FakeControl>(registry_, environment_, 101, 1000);
        controls_[2] = std::make_unique<FakeControl>(registry_, environment_, 102, 2000);
        controls_[3] = std::make_unique<FakeControl>(registry_, environment_, 103, 103);
        controls_[0]->mainMenu = true;
        controls_[3]->popupHost = true;
        for (auto& control : controls_) {
            control->supplyInstance = [this]() -> CommandBarControl* {
                return registry_.Instances().Contains(HandleKey(103)) ? controls_[3].get() : nullptr;
            };
        }
    }

    void Run(FuzzedDataProvider& input) {
        for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
            Operation(input, /*nested=*/false);
            const std::string broken = testing::BrokenModelInvariant(registry_);
            if (!broken.empty()) {
                std::fprintf(stderr, "after step %d: ", step);
                fuzz::Require(false, broken.c_str());
            }
        }
    }

private:
    // One operation; the model's own errors are what a caller sees and handles.
    void Operation(FuzzedDataProvider& input, bool nested) {
        try {
            Dispatch(input, nested);
        } catch (const RuntimeError& error) {
            Trace(L" raised " + std::to_wstring(error.Number()));
        }
    }

    void Dispatch(FuzzedDataProvider& input, bool nested) {
        FakeControl& control = Control(input);
        CommandBars bars(registry_, Owner(input));
        Buttons buttons(registry_, Owner(input));
        const int operation = input.ConsumeIntegralInRange(0, 20);
        Trace((nested ? L"\n  inside: op " : L"\nop ") + std::to_wstring(operation) + L" control " +
              std::to_wstring(control.Hwnd()));
        switch (operation) {
            case 0:
                environment_.live.insert(control.Hwnd());
                control.Register();
                break;
            case 1:
                if (input.ConsumeBool()) control.ShowNothing();
                control.Unregister();
                break;
            case 2:
                control.DestroyWindow();
                break;
            case 3:
                bars.Add(BarKey(input), input.ConsumeBool() ? L"Title" : L"");
                break;
            case 4:
                bars.Remove(BarKey(input));
                break;
            case 5:
                buttons.Add(ButtonKey(input), input.ConsumeIntegralInRange(-1, 3), fuzz::TakeText(input, 8),
                            static_cast<ButtonStyle>(input.ConsumeIntegralInRange(0, 6)), fuzz::TakeText(input, 4),
                            Shortcut(input), input.ConsumeIntegralInRange(0, 7));
                break;
            case 6:
                buttons.Remove(ButtonKey(input));
                break;
            case 7: {
                const Button button = buttons.Item(ButtonKey(input));
                if (!RadioAlreadyPlaced(button)) bars.Item(BarKey(input)).Buttons().Add(button);
                break;
            }
            case 8: {
                const Button button = buttons.Item(ButtonKey(input));
                const CommandBarButtons list = bars.Item(BarKey(input)).Buttons();
                const Button reference = buttons.Item(ButtonKey(input));
                if (RadioAlreadyPlaced(button)) break;
                if (input.ConsumeBool()) {
                    list.InsertBefore(button, reference);
                } else {
                    list.InsertAfter(button, reference);
                }
                break;
            }
            case 9:
                bars.Item(BarKey(input)).Buttons().Remove(ButtonKey(input));
                break;
            case 10:
                bars.Item(BarKey(input)).Buttons().Clear();
                break;
            case 11:
                SetProperty(buttons.Item(ButtonKey(input)), input);
                break;
            case 12: {
                const Button button = buttons.Item(ButtonKey(input));
                if (input.ConsumeBool()) {
                    button.SetBar(bars.Item(BarKey(input)));
                } else {
                    button.SetBar(std::nullopt);
                }
                break;
            }
            case 13:
                if (input.ConsumeBool()) {
                    control.Show(BarKey(input));
                } else {
                    control.ShowNothing();
                }
                break;
            case 14: {
                static constexpr WindowHandle kForms[] = {0, 1000, 2000};
                environment_.foreground = kForms[input.ConsumeIntegralInRange(0, 2)];
                registry_.ProcessAccelerator(Shortcut(input), input.ConsumeIntegralInRange(0, 7));
                registry_.GetMainMenuControl();
                break;
            }
            case 15:
                registry_.SetMenuMode(input.ConsumeBool(), Control(input).Hwnd());
                break;
            case 16:
                if (input.ConsumeBool()) {
                    registry_.PushPopup(control.Hwnd(), Control(input).Hwnd(), input.ConsumeBool(), input.ConsumeBool());
                } else {
                    registry_.PopPopup(control.Hwnd());
                }
                break;
            case 17:
                if (input.ConsumeBool()) {
                    registry_.GetPopupControl();
                } else {
                    registry_.ReleasePopupControls();
                }
                break;
            case 18:
                ClickAndMeasure(BarKey(input), input);
                break;
            default:
                // Notifications cannot arm further ones: a handler that replaced itself while
                // running would destroy the code that runs.
                if (!nested) ArmNotificationChange(control, input, operation == 20);
                break;
        }
    }

    // The control's next change notification (or every removal of the bar it shows) runs one
    // operation read from the stream now.
    void ArmNotificationChange(FakeControl& control, FuzzedDataProvider& input, bool onRemoval) {
        auto bytes = std::make_shared<std::vector<std::uint8_t>>(input.ConsumeBytes<std::uint8_t>(kNestedOperationBytes));
        auto change = [this, bytes] {
            FuzzedDataProvider nestedInput(bytes->data(), bytes->size());
            Operation(nestedInput, /*nested=*/true);
        };
        if (onRemoval) {
            control.onBarRemoved = change;
        } else {
            control.ReactOnce(change);
        }
    }

    void SetProperty(const Button& button, FuzzedDataProvider& input) {
        switch (input.ConsumeIntegralInRange(0, 9)) {
            case 0:
                button.SetCaption(fuzz::TakeText(input, 8));
                break;
            case 1:
                button.SetVisible(input.ConsumeBool());
                break;
            case 2:
                button.SetEnabled(input.ConsumeBool());
                break;
            case 3:
                button.SetChecked(input.ConsumeBool());
                break;
            case 4:
                button.SetShortcutKey(Shortcut(input));
                break;
            case 5:
                button.SetPanelControl(input.ConsumeBool() ? 900 : 0);
                break;
            case 6:
                button.SetIconIndex(input.ConsumeIntegralInRange(-2, 4));
                break;
            case 7:
                button.SetLocked(input.ConsumeBool());
                break;
            case 8:
                button.SetShowCaptionInToolbar(input.ConsumeBool());
                break;
            default:
                button.SetPanelWidth(input.ConsumeIntegralInRange(-1, 300));
                break;
        }
    }

    void ClickAndMeasure(const std::wstring& barKey, FuzzedDataProvider& input) {
        if (BarRecord* bar = registry_.FindBar(barKey)) bar->ToggleOnClick(input.ConsumeIntegralInRange(0, 4));
        // The click notifies controls, which may have removed the bar: look it up again.
        BarRecord* bar = registry_.FindBar(barKey);
        if (!bar) return;
        testing::FakeMeasurer text;
        testing::FakeKeyboard keyboard;
        MeasureButtonParams params;
        params.sizeStyle = static_cast<SizeStyle>(input.ConsumeIntegralInRange(1, 4));
        params.orientation = static_cast<Orientation>(input.ConsumeIntegralInRange(0, 3));
        params.rightToLeft = input.ConsumeBool();
        params.height = input.ConsumeIntegralInRange(0, 30);
        for (const auto& entry : bar->Buttons()) entry.value->Measure(params, input.ConsumeBool(), text, keyboard);
        LayOutAndPaint(*bar, params, input.ConsumeIntegralInRange(0, 400), text, keyboard);
    }

    // The bar as a control would show it, twice so that hidden buttons come back; every
    // rectangle a layout hands to painting must lie inside the bar it laid out.
    void LayOutAndPaint(const BarRecord& bar, MeasureButtonParams& params, std::int32_t available,
                        const TextMeasurer& text, const KeyboardLayout& keyboard) {
        RecordMeasuringHost host(*controls_[0], text, keyboard);
        std::vector<DisplayButtonInfo> info;
        const bool popup = IsMenuSizeStyle(params.sizeStyle);
        BarExtent extent;
        for (std::int32_t length : {available, available * 2}) {
            extent = popup ? LayoutPopupMenu(bar, params, info, params.sizeStyle == SizeStyle::CustomiseList, host)
                           : LayoutToolbar(bar, params, length, info, host);
        }
        fuzz::Require(info.size() == static_cast<std::size_t>(bar.Count()), "one display entry per button");
        CheckingPainter painter(extent, popup, IsVerticalOrientation(params.orientation));
        DrawButtonParams draw;
        draw.sizeStyle = params.sizeStyle;
        PaintAll(bar, draw, info, painter);
    }

    // Whatever is painted lies across the bar within the thickness layout returned (popup menus:
    // within their width and height).
    class CheckingPainter : public ButtonPainter {
    public:
        CheckingPainter(BarExtent extent, bool popup, bool vertical)
            : extent_(extent), popup_(popup), vertical_(vertical) {}
        void Paint(const ButtonRecord&, DrawButtonParams& params) override {
            const std::int64_t right = static_cast<std::int64_t>(params.left) + params.size;
            const std::int64_t bottom = static_cast<std::int64_t>(params.top) + params.height;
            fuzz::Require(params.size >= 0 && params.height > 0, "painted rectangles are not inverted");
            if (popup_) {
                fuzz::Require(params.left >= 0 && right <= extent_.length && bottom <= extent_.thickness,
                              "a popup item lies inside the menu");
            } else if (vertical_) {
                fuzz::Require(params.left >= 0 && right <= extent_.thickness, "a vertical bar's button fits across");
            } else {
                fuzz::Require(params.top >= 0 && bottom <= extent_.thickness, "a bar's button lies within its rows");
            }
        }

    private:
        BarExtent extent_;
        bool popup_;
        bool vertical_;
    };

    bool RadioAlreadyPlaced(const Button& button) const {
        // The radio group invariant holds for radio buttons kept to one bar (see the invariants).
        const ButtonRecord* record = registry_.FindButton(button.Key());
        return record && testing::IsRadio(*record) && record->Bars().Count() > 0;
    }

    FakeControl& Control(FuzzedDataProvider& input) {
        return *controls_[input.ConsumeIntegralInRange<std::size_t>(0, controls_.size() - 1)];
    }
    // The window a handle is obtained through: any control, registered or not, live or not.
    WindowHandle Owner(FuzzedDataProvider& input) { return Control(input).Hwnd(); }

    static std::uint16_t Shortcut(FuzzedDataProvider& input) {
        return static_cast<std::uint16_t>(L'A' + input.ConsumeIntegralInRange(0, 3));
    }

    // Mostly a key the registry holds, else one of a few new ones, now and then a reserved one
    // or one that reads as a number.
    std::wstring BarKey(FuzzedDataProvider& input) {
        static constexpr const wchar_t* kOdd[] = {L"CHEVRON", L"CHEVRON:ADDORREMOVE", L"12", L" 7 "};
        return Key(input, registry_.BarCount(), [this](std::int32_t i) { return registry_.GetBar(i).Key(); }, L"BAR",
                   kOdd);
    }
    std::wstring ButtonKey(FuzzedDataProvider& input) {
        static constexpr const wchar_t* kOdd[] = {L"CHEVRON:ADDORREMOVE", L"CHEVRON:SEPARATOR", L"3.5", L"&H1"};
        return Key(input, registry_.ButtonCount(), [this](std::int32_t i) { return registry_.GetButton(i).Key(); },
                   L"BTN", kOdd);
    }
    static std::wstring Key(FuzzedDataProvider& input, std::int32_t count,
                            const std::function<std::wstring(std::int32_t)>& existing, const wchar_t* prefix,
                            const wchar_t* const (&odd)[4]) {
        const auto pick = input.ConsumeIntegral<std::uint8_t>();
        std::wstring key = pick < 128 && count > 0 ? existing(1 + pick % count)
                           : pick < 240            ? prefix + std::to_wstring(pick % 8)
                                                   : odd[pick % 4];
        Trace(L" " + key);
        return key;
    }

    testing::FakeEnvironment environment_;
    CommandBarRegistry registry_{environment_};
    std::array<std::unique_ptr<FakeControl>, 4> controls_;
};

}  // namespace
}  // namespace core::commandbar

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    core::commandbar::ModelDriver().Run(input);
    return 0;
}
