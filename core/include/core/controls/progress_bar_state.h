#pragma once
// What the progress bar shows, apart from any window: the percentage and total rules, the caption
// and the bar's width, and whether an update changes any of it.

#include <cstdint>
#include <string>

#include "core/colour_math.h"

namespace core {

inline constexpr std::int32_t kProgressBarTotalErrorNumber = static_cast<std::int32_t>(0x80040000u + 1001);
inline constexpr wchar_t kProgressBarErrorSource[] = L"spbProgressBar";
inline constexpr wchar_t kProgressBarTotalErrorText[] = L"Total value must be a postive, non-zero value";

inline constexpr Colour kProgressBarNavy = 0x800000;

// Everything one paint of the surface depends on besides its size and font.
struct ProgressFrame {
    std::wstring caption;
    int barWidth = 0;  // pixels covered from the left edge, 0..surface width

    bool operator==(const ProgressFrame&) const = default;
};

class ProgressBarState {
public:
    float Value() const noexcept { return value_; }
    bool CalculatePercentage() const noexcept { return calculatePercentage_; }
    double TotalValue() const noexcept { return totalValue_; }
    bool ShowStatus() const noexcept { return showStatus_; }
    const std::wstring& Text() const noexcept { return text_; }
    Colour ProgressColour() const noexcept { return progressColour_; }

    void SetValue(float value) noexcept { value_ = value; }
    // Turning total mode on gives a zero total 100; turning it off clears the total.
    void SetCalculatePercentage(bool on) noexcept;
    // Ignored in percentage mode (returns false); in total mode a total of zero or less throws
    // RuntimeError and keeps the old one. Returns true when the total was stored.
    bool SetTotalValue(double total);
    void SetShowStatus(bool show) noexcept { showStatus_ = show; }
    void SetText(std::wstring text) { text_ = std::move(text); }
    void SetProgressColour(Colour colour) noexcept { progressColour_ = colour; }

    // Stored values applied as they are, without the rules above.
    void AssignLoaded(float value, bool calculatePercentage, double totalValue, bool showStatus, std::wstring text,
                      Colour progressColour);

    // The percentage shown. A zero total in total mode (only reachable through loaded values)
    // counts as 0 % rather than dividing by zero.
    float Percent() const noexcept;
    // "<Text> <n>%" or Text alone; n is the integer part of percent + 0.5.
    std::wstring Caption() const;
    // Pixels of a surface `width` wide that the bar covers.
    int BarWidth(int width) const noexcept;
    ProgressFrame Frame(int width) const { return ProgressFrame{Caption(), BarWidth(width)}; }

private:
    float value_ = 0;
    bool calculatePercentage_ = false;
    double totalValue_ = 0;
    bool showStatus_ = true;
    std::wstring text_;
    Colour progressColour_ = kProgressBarNavy;
};

// The integer part of percent + 0.5 followed by "%".
std::wstring PercentText(float percent);
// The whole number PercentText shows.
long long ShownPercent(float percent) noexcept;

// Paces a long loop's progress updates: every value is still set, but repainting and letting
// messages through are worth their cost only when the shown whole percentage changes or a frame
// interval has passed since the last pass.
class ProgressPacer {
public:
    explicit ProgressPacer(std::uint64_t intervalMilliseconds) noexcept : interval_(intervalMilliseconds) {}
    // Whether the update to `percent` at `now` (milliseconds) is passed on; remembered when it is.
    bool Due(float percent, std::uint64_t now) noexcept;
    // The next update is passed on whatever it shows.
    void Reset() noexcept { passed_ = false; }

private:
    std::uint64_t interval_;
    bool passed_ = false;
    long long shown_ = 0;
    std::uint64_t at_ = 0;
};

}  // namespace core
