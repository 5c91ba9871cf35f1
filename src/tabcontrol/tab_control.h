#pragma once
// TabControl: a child window hosting the platform tab control, with a keyed, 1-based tab list,
// saved style properties, a font, an image list, selection and owner-draw events, and an
// optional flattened painting mode (CoolTabs). Every message it needs from its own window and
// from the platform tab window comes through the subclassing layer.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "core/item_ref.h"
#include "core/runtime_error.h"
#include "core/tabcontrol/tab_keys.h"
#include "core/tabcontrol/tab_strip_properties.h"
#include "subclass/subclass.h"
#include "win/handles.h"
#include "win/window.h"

namespace tabcontrol {

struct DrawItemEvent {
    int position = 0;  // 0-based
    HDC dc = nullptr;
    bool selected = false;
    bool hot = false;
    RECT bounds{};           // pixels; one larger at the bottom for unselected tabs
    bool doDefault = false;  // true: the control paints the tab itself
};

struct MeasureItemEvent {
    int position = 0;  // 0-based
    int width = 0;
    int height = 0;
    bool doDefault = true;  // false: the control hands width and height back
};

// An image list object that creates its platform handle on first drawing.
class ImageListSource {
public:
    virtual ~ImageListSource() = default;
    virtual void DrawFirstImage() = 0;  // throws when the list has no image
    virtual HIMAGELIST Handle() = 0;
};

// Error kinds; the number is the object-error base + 1048 + kind, the source "<executable>.cTabCtrl".
namespace error {
inline constexpr std::int32_t kTabNotFound = 1;
inline constexpr std::int32_t kGetImage = 2;
inline constexpr std::int32_t kGetText = 3;
inline constexpr std::int32_t kInvalidImageList = 4;
inline constexpr std::int32_t kGetItemData = 5;
inline constexpr std::int32_t kSetItemData = 6;
inline constexpr std::int32_t kSetImage = 7;
inline constexpr std::int32_t Number(std::int32_t kind) { return core::error_number::kObjectErrorBase + 1048 + kind; }
}  // namespace error

class TabControl : public win::Window, private subclass::SubclassClient {
public:
    struct Events {
        std::function<void(int selectedTab, bool& cancel)> beforeClick;
        std::function<void(DrawItemEvent&)> drawItem;
        std::function<void(MeasureItemEvent&)> measureItem;
        std::function<void(int newTab)> tabClick;
        std::function<void()> tabRightClick;
    };
    Events events;

    TabControl() = default;
    ~TabControl() override;

    void Create(HWND parent, UINT_PTR id, const RECT& bounds, const core::TabStripProperties& properties = {});
    void SetBounds(const RECT& pixels);
    const core::TabStripProperties& Properties() const noexcept { return properties_; }

    core::TabAlignment TabAlign() const noexcept { return properties_.tabAlign; }
    void SetTabAlign(core::TabAlignment align) noexcept { properties_.tabAlign = align; }  // seen at Rebuild
    bool FlatSeparators() const noexcept { return properties_.flatSeparators; }
    void SetFlatSeparators(bool state);
    bool HotTrack() const noexcept { return properties_.hotTrack; }
    void SetHotTrack(bool state);
    bool Buttons() const noexcept { return properties_.buttons; }
    void SetButtons(bool state);
    bool FlatButtons() const noexcept { return properties_.flatButtons; }
    void SetFlatButtons(bool state);
    bool OwnerDraw() const noexcept { return properties_.ownerDraw; }
    void SetOwnerDraw(bool state);
    bool MultiLine() const noexcept { return properties_.multiLine; }
    void SetMultiLine(bool state);
    bool RightJustify() const noexcept { return properties_.rightJustify; }
    void SetRightJustify(bool state);
    core::CoolTabsMode CoolTabs() const noexcept { return properties_.coolTabs; }
    void SetCoolTabs(core::CoolTabsMode mode);
    void SetPadding(int xPixels, int yPixels);
    const core::FontDescription& Font() const noexcept { return properties_.font; }
    void SetFont(const core::FontDescription& font);

    // A handle is taken as it is; an object must yield a handle or "Invalid Image List." is raised.
    void SetImageList(HIMAGELIST handle);
    void SetImageList(ImageListSource* list);
    HIMAGELIST ImageList() const noexcept { return imageList_; }

    void AddTab(const std::wstring& text, int iconIndex = -1, const core::ItemRef& keyBefore = -1,
                const std::wstring& key = {}, LPARAM itemData = 0);
    void RemoveTab(const core::ItemRef& tab);
    void RemoveAllTabs();
    int SelectedTab() const;  // 1-based, 0 when none
    void SelectTab(const core::ItemRef& tab, bool noEvents = false);
    void Rebuild();

    // The tabs' display area in the parent's client coordinates, in twips.
    int ClientLeft() const { return ClientAreaTwips().left; }
    int ClientTop() const { return ClientAreaTwips().top; }
    int ClientWidth() const { return ClientAreaTwips().width; }
    int ClientHeight() const { return ClientAreaTwips().height; }
    // The same in pixels, as left, top, right, bottom.
    RECT ClientAreaPixels() const;

    std::wstring TabText(const core::ItemRef& tab) const;
    int TabImage(const core::ItemRef& tab) const;
    void SetTabImage(const core::ItemRef& tab, int imageIndex);
    LPARAM TabItemData(const core::ItemRef& tab) const;
    void SetTabItemData(const core::ItemRef& tab, LPARAM itemData);
    bool TabHot(const core::ItemRef& tab) const;
    std::wstring TabKey(int index) const;
    int IndexForTab(const core::ItemRef& tab) const;
    int TabCount() const;

    HWND TabCtrlhWnd() const noexcept { return tabWindow_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    core::MessageResponse MsgResponse() override;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HostMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT TabWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateTabWindow();
    void DestroyTabWindow() noexcept;
    void AttachTabWindow();
    void DetachTabWindow() noexcept;
    void DetachHost() noexcept;
    void ApplyStyle();
    void ApplyFlatSeparators();
    void ApplyFont();
    void SelectPosition(int position, bool raiseEvents, int selectedBefore);
    struct TwipsArea {
        int left, top, width, height;
    };
    TwipsArea ClientAreaTwips() const;
    bool ReadItem(int position, UINT mask, TCITEMW& item, wchar_t* text = nullptr, int textSize = 0) const;
    void OnDrawItem(const DRAWITEMSTRUCT& draw);

    core::TabStripProperties properties_;
    core::TabKeyList keys_;
    HWND tabWindow_ = nullptr;
    win::UniqueFont font_;
    HIMAGELIST imageList_ = nullptr;
    bool paintHooked_ = false;
};

}  // namespace tabcontrol
