#include "core/commandbar/style_colours.h"

#include "core/commandbar/command_bar_error.h"

namespace core {

namespace {

void CheckSlot(int id) {
    if (id < 0 || id >= colour_element::kSlotCount) RaiseCommandBarError(command_bar_error::kSubscriptOutOfRange);
}

// Elements whose custom colour is handed back untranslated.
bool KeepsCustomColourUntranslated(int id) {
    return id == colour_element::kToolbarTextHot || id == colour_element::kMenuIconDisabled ||
           id == colour_element::kSeparatorDark;
}

}  // namespace

ColourScheme ColourSchemeFromName(std::wstring_view schemeName) {
    if (schemeName == L"NormalColor") return ColourScheme::NormalColour;
    if (schemeName == L"Metallic") return ColourScheme::Metallic;
    if (schemeName == L"Homestead") return ColourScheme::Homestead;
    return ColourScheme::None;
}

std::wstring_view ColourElementName(int id) {
    static constexpr std::wstring_view kNames[] = {
        L"",
        L"ToolbarText",
        L"ToolbarTextHot",
        L"ToolbarTextDisabled",
        L"ButtonBackStart",
        L"ButtonBackEnd",
        L"ButtonHotStart",
        L"ButtonHotEnd",
        L"ButtonCheckedStart",
        L"ButtonCheckedEnd",
        L"ButtonPressedStart",
        L"ButtonPressedEnd",
        L"DropShadow",
        L"MenuBorder",
        L"MenuText",
        L"MenuTextHot",
        L"MenuTextDisabled",
        L"MenuBackStart",
        L"MenuBackEnd",
        L"MenuHotStart",
        L"MenuHotEnd",
        L"HotBorder",
        L"MenuCheckStart",
        L"MenuCheckEnd",
        L"MenuCheckHotStart",
        L"MenuCheckHotEnd",
        L"MenuIconDisabled",
        L"SeparatorLight",
        L"SeparatorDark",
        L"BarBackStart",
        L"BarBackEnd",
    };
    if (id < colour_element::kFirst || id > colour_element::kLast) return L"";
    return kNames[id];
}

void StylePalette::Initialise() {
    style_ = static_cast<std::int32_t>(ColourStyle::Themed);
    highColour_ = true;
    custom_.fill(kNoColour);
}

Colour StylePalette::CustomColour(int id) const {
    CheckSlot(id);
    return custom_[id];
}

void StylePalette::SetCustomColour(int id, Colour colour) {
    CheckSlot(id);
    custom_[id] = colour;
}

bool StylePalette::IsUsingStyleColour(int id) const { return CustomColour(id) == kNoColour; }

Colour StylePalette::StyleColour(int id, const ColourTranslator& desktop) const {
    CheckSlot(id);
    if (id < colour_element::kFirst || id > colour_element::kLast) return 0;
    return Formula(id, desktop);
}

Colour StylePalette::ElementColour(int id, const ColourTranslator& desktop) const {
    CheckSlot(id);
    if (id < colour_element::kFirst || id > colour_element::kLast) return 0;
    const Colour custom = custom_[id];
    if (custom != kNoColour) return KeepsCustomColourUntranslated(id) ? custom : desktop.Translate(custom);
    return Formula(id, desktop);
}

Colour StylePalette::Formula(int id, const ColourTranslator& desktop) const {
    namespace sc = system_colour;
    enum { Blended, Themed, Dark, System };
    const int style = (style_ >= 0 && style_ <= 3) ? style_ : Blended;
    const bool hc = highColour_;

    auto element = [&](int other) { return ElementColour(other, desktop); };
    auto sys = [&](int index) { return desktop.SystemColour(index); };
    auto translated = [&](int index) { return desktop.Translate(SystemColourRef(index)); };
    // Both colours are translated before blending; system references resolve, RGB stays as it is.
    auto blend = [&](Colour a, Colour b, int weight) {
        return BlendRgb(desktop.Translate(a), desktop.Translate(b), weight);
    };
    auto ref = [](int index) { return SystemColourRef(index); };
    // Themed style: fixed palettes for "NormalColor" and "Metallic", black for "Homestead" (which has
    // no palette of its own), and the computed colour for any other scheme.
    auto byScheme = [&](Colour normalColour, Colour metallic, auto otherwise) -> Colour {
        switch (scheme_) {
            case ColourScheme::NormalColour:
                return normalColour;
            case ColourScheme::Metallic:
                return metallic;
            case ColourScheme::Homestead:
                return kBlack;
            default:
                return otherwise();
        }
    };

    switch (id) {
        case colour_element::kToolbarText:
        case colour_element::kMenuText:
            return style == Dark ? kWhite : sys(sc::kWindowText);
        case colour_element::kToolbarTextHot:
            return element(style == Dark ? colour_element::kMenuTextHot : colour_element::kToolbarText);
        case colour_element::kToolbarTextDisabled:
            return style == Dark ? MakeRgb(190, 190, 190) : element(colour_element::kSeparatorDark);
        case colour_element::kButtonBackStart:
        case colour_element::kButtonBackEnd:
            return kNoColour;
        case colour_element::kButtonHotStart:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(253, 254, 211), MakeRgb(255, 239, 192), [&] {
                        return hc ? blend(ref(sc::kHighlight), ref(sc::kButtonHighlight), 77)
                                  : translated(sc::kButtonFace);
                    });
                case Dark:
                    return MakeRgb(70, 70, 70);
                case System:
                    return translated(sc::kButtonFace);
                default:
                    return hc ? blend(blend(ref(sc::kButtonHighlight), kWhite, 128), ref(sc::kHighlight), 178)
                              : translated(sc::kButtonFace);
            }
        case colour_element::kButtonHotEnd:
            if (style == Themed) {
                return byScheme(MakeRgb(253, 221, 152), MakeRgb(255, 220, 115), [&] {
                    return hc ? blend(ref(sc::kHighlight), ref(sc::kButtonHighlight), 84)
                              : element(colour_element::kButtonHotStart);
                });
            }
            return element(colour_element::kButtonHotStart);
        case colour_element::kButtonCheckedStart:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(251, 223, 128), MakeRgb(250, 218, 152), [&] {
                        return hc ? blend(element(colour_element::kBarBackStart),
                                          element(colour_element::kButtonHotStart), 16)
                                  : translated(sc::kButtonFace);
                    });
                case Dark:
                    return element(colour_element::kMenuHotStart);
                case System:
                    return hc ? blend(ref(sc::kButtonHighlight), ref(sc::kButtonFace), 220)
                              : translated(sc::kButtonFace);
                default:
                    return hc ? blend(ref(sc::kHighlight), element(colour_element::kBarBackStart), 21)
                              : translated(sc::kButtonFace);
            }
        case colour_element::kButtonCheckedEnd:
            if (style == Themed) {
                return byScheme(MakeRgb(245, 185, 74), MakeRgb(229, 165, 33),
                                [&] { return element(colour_element::kBarBackStart); });
            }
            return element(colour_element::kButtonCheckedStart);
        case colour_element::kButtonPressedStart:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(251, 139, 89), MakeRgb(236, 176, 139), [&] {
                        return hc ? blend(ref(sc::kHighlight), ref(sc::kButtonHighlight), 128)
                                  : translated(sc::kButtonHighlight);
                    });
                case Dark:
                    return MakeRgb(90, 90, 90);
                case System:
                    return translated(sc::kButtonFace);
                default:
                    return hc ? blend(ref(sc::kButtonHighlight), ref(sc::kHighlight), 128)
                              : translated(sc::kButtonHighlight);
            }
        case colour_element::kButtonPressedEnd:
            if (style == Themed) {
                return byScheme(MakeRgb(206, 47, 3), MakeRgb(196, 103, 48), [&] {
                    return hc ? blend(ref(sc::kHighlight), ref(sc::kButtonHighlight), 150)
                              : element(colour_element::kButtonPressedStart);
                });
            }
            return element(colour_element::kButtonPressedStart);
        case colour_element::kDropShadow:
            switch (style) {
                case Themed:
                    return element(colour_element::kToolbarTextDisabled);
                case Dark:
                    return kBlack;
                default:
                    return translated(sc::kDarkShadow);
            }
        case colour_element::kMenuBorder:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(0, 45, 150), MakeRgb(124, 124, 148), [&] {
                        return hc ? blend(ref(sc::kDarkShadow), ref(sc::kButtonShadow), 96)
                                  : translated(sc::kButtonShadow);
                    });
                case Dark:
                    return MakeRgb(68, 68, 68);
                case System:
                    return translated(sc::kButtonShadow);
                default:
                    return hc ? blend(ref(sc::kButtonShadow), ref(sc::kDarkShadow), 108)
                              : translated(sc::kButtonShadow);
            }
        case colour_element::kMenuTextHot:
            switch (style) {
                case Dark:
                    return MakeRgb(255, 223, 127);
                case System:
                    return translated(sc::kHighlightText);
                default:
                    return element(colour_element::kMenuText);
            }
        case colour_element::kMenuTextDisabled:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(160, 160, 160), MakeRgb(148, 148, 148),
                                    [&] { return element(colour_element::kSeparatorDark); });
                case Dark:
                    return MakeRgb(145, 145, 145);
                case System:
                    return element(colour_element::kSeparatorDark);
                default:
                    return hc ? blend(ref(sc::kButtonFace), ref(sc::kGrayText), 128)
                              : element(colour_element::kSeparatorDark);
            }
        case colour_element::kMenuBackStart:
            // The colour depth is tested before the style.
            if (!hc) return sys(sc::kMenu);
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(246, 246, 246), MakeRgb(253, 250, 255),
                                    [&] { return MakeRgb(249, 248, 247); });
                case Dark:
                    return MakeRgb(91, 91, 91);
                case System:
                    return translated(sc::kMenu);
                default:
                    return blend(ref(sc::kWindow), ref(sc::kButtonFace), 220);
            }
        case colour_element::kMenuBackEnd:
            return element(colour_element::kMenuBackStart);
        case colour_element::kMenuHotStart:
            return style == System ? translated(sc::kHighlight) : element(colour_element::kButtonHotStart);
        case colour_element::kMenuHotEnd:
            return element(style == System ? colour_element::kMenuHotStart : colour_element::kButtonHotEnd);
        case colour_element::kHotBorder:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(0, 0, 128), MakeRgb(75, 75, 111), [&] { return sys(sc::kHighlight); });
                case Dark:
                    return MakeRgb(65, 65, 65);
                default:
                    return sys(sc::kHighlight);
            }
        case colour_element::kMenuCheckStart:
            return element(style == System ? colour_element::kMenuBackStart : colour_element::kButtonCheckedStart);
        case colour_element::kMenuCheckEnd:
            return element(style == System ? colour_element::kMenuBackStart : colour_element::kButtonCheckedEnd);
        case colour_element::kMenuCheckHotStart:
            return element(style == System ? colour_element::kMenuBackStart : colour_element::kButtonPressedStart);
        case colour_element::kMenuCheckHotEnd:
            return element(style == System ? colour_element::kMenuBackStart : colour_element::kButtonPressedEnd);
        case colour_element::kMenuIconDisabled:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(109, 150, 208), MakeRgb(168, 167, 190), [&] {
                        return hc ? blend(ref(sc::kButtonShadow), ref(sc::kButtonHighlight), 224)
                                  : translated(sc::kButtonShadow);
                    });
                case Dark:
                    return MakeRgb(70, 70, 70);
                default:
                    return sys(sc::kButtonShadow);
            }
        case colour_element::kSeparatorLight:
            switch (style) {
                case Themed:
                    return byScheme(kWhite, kWhite, [&] { return sys(sc::kButtonHighlight); });
                case Dark:
                    return MakeRgb(160, 160, 160);
                case System:
                    return translated(sc::kButtonHighlight);
                default:
                    return sys(sc::kButtonHighlight);
            }
        case colour_element::kSeparatorDark:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(106, 140, 203), MakeRgb(110, 109, 143), [&] {
                        return hc ? blend(ref(sc::kButtonShadow), ref(sc::kButtonHighlight), 180)
                                  : translated(sc::kButtonShadow);
                    });
                case Dark:
                    return MakeRgb(112, 112, 112);
                case System:
                    return translated(sc::kButtonShadow);
                default:
                    return sys(sc::kButtonShadow);
            }
        case colour_element::kBarBackStart:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(209, 227, 251), MakeRgb(249, 249, 255), [&] {
                        return hc ? blend(ref(sc::kButtonFace), ref(sc::kButtonHighlight), 24)
                                  : translated(sc::kButtonFace);
                    });
                case Dark:
                    return element(colour_element::kMenuBackStart);
                case System:
                    return kNoColour;
                default:
                    return hc ? blend(ref(sc::kLight), ref(sc::kButtonFace), 128) : translated(sc::kButtonFace);
            }
        case colour_element::kBarBackEnd:
            switch (style) {
                case Themed:
                    return byScheme(MakeRgb(129, 169, 226), MakeRgb(159, 157, 185),
                                    [&] { return sys(sc::kButtonFace); });
                case System:
                    return kNoColour;
                default:
                    return element(colour_element::kBarBackStart);
            }
        default:
            return 0;
    }
}

}  // namespace core
