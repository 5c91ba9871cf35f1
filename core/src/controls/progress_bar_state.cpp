#include "core/controls/progress_bar_state.h"

#include <cmath>
#include <limits>

#include "core/runtime_error.h"

namespace core {

void ProgressBarState::SetCalculatePercentage(bool on) noexcept {
    calculatePercentage_ = on;
    if (totalValue_ == 0) totalValue_ = 100;
    if (!on) totalValue_ = 0;
}

bool ProgressBarState::SetTotalValue(double total) {
    if (!calculatePercentage_) return false;
    // Written so that NaN is refused as well.
    if (!(total > 0)) {
        throw RuntimeError(kProgressBarTotalErrorNumber, kProgressBarTotalErrorText, kProgressBarErrorSource);
    }
    totalValue_ = total;
    return true;
}

void ProgressBarState::AssignLoaded(float value, bool calculatePercentage, double totalValue, bool showStatus,
                                    std::wstring text, Colour progressColour) {
    value_ = value;
    calculatePercentage_ = calculatePercentage;
    totalValue_ = totalValue;
    showStatus_ = showStatus;
    text_ = std::move(text);
    progressColour_ = progressColour;
}

float ProgressBarState::Percent() const noexcept {
    if (!calculatePercentage_) return value_;
    if (totalValue_ == 0) return 0;
    return static_cast<float>(value_ / totalValue_ * 100.0);
}

long long ShownPercent(float percent) noexcept {
    float shown = std::floor(percent + 0.5f);
    // Far outside any real progress; keep the conversion defined.
    constexpr float kLimit = 2.0e9f;
    if (!(shown > -kLimit)) shown = -kLimit;
    if (shown > kLimit) shown = kLimit;
    return static_cast<long long>(shown);
}

std::wstring PercentText(float percent) { return std::to_wstring(ShownPercent(percent)) + L"%"; }

bool ProgressPacer::Due(float percent, std::uint64_t now) noexcept {
    const long long shown = ShownPercent(percent);
    // A clock that went back counts as a passed interval rather than a long wait.
    if (passed_ && shown == shown_ && now >= at_ && now - at_ < interval_) return false;
    passed_ = true;
    shown_ = shown;
    at_ = now;
    return true;
}

std::wstring ProgressBarState::Caption() const {
    if (!showStatus_) return text_;
    return text_ + L" " + PercentText(Percent());
}

int ProgressBarState::BarWidth(int width) const noexcept {
    float fraction = Percent() / 100.0f;
    if (!(fraction > 0) || width <= 0) return 0;
    if (fraction >= 1) return width;
    return static_cast<int>(std::lround(static_cast<double>(width) * fraction));
}

}  // namespace core
