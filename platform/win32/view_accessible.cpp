#include "platform/win32/view_accessible.h"

#include "platform/win32/graphic_view.h"
#include "platform/windows/unicode.h"

namespace platform::win32 {
namespace {

// {00000000-0000-0000-C000-000000000046} and {00020400-0000-0000-C000-000000000046}.
constexpr GUID kIidIUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidIDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void SetLong(VARIANT* variant, LONG value) {
  VariantInit(variant);
  variant->vt = VT_I4;
  variant->lVal = value;
}

HRESULT GiveText(const std::string& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  const std::wstring wide = windows::Widen(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT NoText(BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  return S_FALSE;
}

}  // namespace

HRESULT ViewAccessible::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualGUID(id, kIidIUnknown) || IsEqualGUID(id, kIidIDispatch) || IsEqualGUID(id, kIidIAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ViewAccessible::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG ViewAccessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ViewAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT ViewAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT ViewAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
HRESULT ViewAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

bool ViewAccessible::CellOf(const VARIANT& child, int& cellIndex) const {
  if (view_ == nullptr || view_->Cells() == nullptr || child.vt != VT_I4) return false;
  if (child.lVal == CHILDID_SELF) {
    cellIndex = -1;
    return true;
  }
  if (child.lVal < 1 || child.lVal > view_->Cells()->CellCount()) return false;
  cellIndex = child.lVal - 1;
  return true;
}

// The view's own parent is the standard object of its window.
HRESULT ViewAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (view_ == nullptr) return E_FAIL;
  return AccessibleObjectFromWindow(view_->Handle(), static_cast<DWORD>(OBJID_WINDOW), kIidIDispatch,
                                    reinterpret_cast<void**>(parent));
}

HRESULT ViewAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  if (view_ == nullptr || view_->Cells() == nullptr) return E_FAIL;
  *count = view_->Cells()->CellCount();
  return S_OK;
}

// Cells are simple elements: they have no object of their own.
HRESULT ViewAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  int cell = 0;
  return CellOf(child, cell) ? S_FALSE : E_INVALIDARG;
}

HRESULT ViewAccessible::get_accName(VARIANT child, BSTR* name) {
  int cell = 0;
  if (!CellOf(child, cell)) return E_INVALIDARG;
  return cell < 0 ? NoText(name) : GiveText(view_->Cells()->Cell(cell).name, name);
}

HRESULT ViewAccessible::get_accValue(VARIANT, BSTR* value) {
  return NoText(value);
}
HRESULT ViewAccessible::get_accDescription(VARIANT, BSTR* description) {
  return NoText(description);
}
HRESULT ViewAccessible::get_accHelp(VARIANT, BSTR* help) {
  return NoText(help);
}
HRESULT ViewAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
  return NoText(shortcut);
}
HRESULT ViewAccessible::get_accDefaultAction(VARIANT, BSTR* action) {
  return NoText(action);
}
HRESULT ViewAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  if (topic != nullptr) *topic = 0;
  return NoText(file);
}

HRESULT ViewAccessible::get_accRole(VARIANT child, VARIANT* role) {
  int cell = 0;
  if (role == nullptr) return E_POINTER;
  if (!CellOf(child, cell)) return E_INVALIDARG;
  SetLong(role, cell < 0 ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
  return S_OK;
}

HRESULT ViewAccessible::get_accState(VARIANT child, VARIANT* state) {
  int cell = 0;
  if (state == nullptr) return E_POINTER;
  if (!CellOf(child, cell)) return E_INVALIDARG;
  const ViewCells& cells = *view_->Cells();
  LONG flags = STATE_SYSTEM_FOCUSABLE;
  const bool focused = view_->HasFocus() && (cell < 0 || cells.FocusedCell() == cell);
  if (focused) flags |= STATE_SYSTEM_FOCUSED;
  if (cell >= 0 && cells.Cell(cell).checked) flags |= STATE_SYSTEM_CHECKED;
  SetLong(state, flags);
  return S_OK;
}

HRESULT ViewAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (view_ == nullptr || view_->Cells() == nullptr) return E_FAIL;
  if (!view_->HasFocus()) return S_FALSE;
  const int focused = view_->Cells()->FocusedCell();
  SetLong(child, focused < 0 ? CHILDID_SELF : focused + 1);
  return S_OK;
}

HRESULT ViewAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  VariantInit(children);
  return S_FALSE;
}

HRESULT ViewAccessible::accSelect(long, VARIANT) {
  return DISP_E_MEMBERNOTFOUND;
}
HRESULT ViewAccessible::accDoDefaultAction(VARIANT) {
  return DISP_E_MEMBERNOTFOUND;
}
HRESULT ViewAccessible::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}
HRESULT ViewAccessible::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

RECT ViewAccessible::ScreenRect(int cellIndex) const {
  RECT rect{};
  if (cellIndex < 0) {
    GetClientRect(view_->Handle(), &rect);
  } else {
    const ViewCell cell = view_->Cells()->Cell(cellIndex);
    rect = {cell.left, cell.top, cell.right + 1, cell.bottom + 1};
  }
  MapWindowPoints(view_->Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HRESULT ViewAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  int cell = 0;
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  if (!CellOf(child, cell)) return E_INVALIDARG;
  const RECT rect = ScreenRect(cell);
  *left = rect.left;
  *top = rect.top;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

// Cells follow one another in the order of the days.
HRESULT ViewAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  int cell = 0;
  if (end == nullptr) return E_POINTER;
  VariantInit(end);
  if (!CellOf(start, cell)) return E_INVALIDARG;
  const int count = view_->Cells()->CellCount();
  int to = -1;
  if (cell < 0 && direction == NAVDIR_FIRSTCHILD) to = 0;
  if (cell < 0 && direction == NAVDIR_LASTCHILD) to = count - 1;
  if (cell >= 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT)) to = cell + 1;
  if (cell >= 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT)) to = cell - 1;
  if (to < 0 || to >= count) return S_FALSE;
  SetLong(end, to + 1);
  return S_OK;
}

HRESULT ViewAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  VariantInit(child);
  if (view_ == nullptr || view_->Cells() == nullptr) return E_FAIL;
  const POINT point{x, y};
  const RECT whole = ScreenRect(-1);
  if (!PtInRect(&whole, point)) return S_FALSE;
  const ViewCells& cells = *view_->Cells();
  for (int cell = 0; cell < cells.CellCount(); ++cell) {
    const RECT rect = ScreenRect(cell);
    if (PtInRect(&rect, point)) {
      SetLong(child, cell + 1);
      return S_OK;
    }
  }
  SetLong(child, CHILDID_SELF);
  return S_OK;
}

}  // namespace platform::win32
