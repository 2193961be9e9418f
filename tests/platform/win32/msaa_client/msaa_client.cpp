// A screen reader's view of a window, through Active Accessibility from another process:
//   kalvor_msaa_client WINDOW_HANDLE OUTPUT_FILE
// writes the client object's role and child count, then one line per child: its id, state flags (hex)
// and name (UTF-8), and last the focused child's id. Exit code 0 when the object could be read.
#include <windows.h>
// needs windows.h before it
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}: MinGW's import library would give a thunk's address.
constexpr GUID kIidIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

long LongOf(const VARIANT& value) {
  return value.vt == VT_I4 ? value.lVal : -1;
}

int Read(IAccessible& object, std::FILE* out) {
  VARIANT role;
  if (FAILED(object.get_accRole(Child(CHILDID_SELF), &role))) return 3;
  long count = 0;
  if (FAILED(object.get_accChildCount(&count))) return 4;
  std::fprintf(out, "role %ld\nchildren %ld\n", LongOf(role), count);
  for (long id = 1; id <= count; ++id) {
    BSTR name = nullptr;
    VARIANT state;
    VariantInit(&state);
    if (FAILED(object.get_accName(Child(id), &name)) || FAILED(object.get_accState(Child(id), &state)))
      return 5;
    std::fprintf(out, "cell %ld %lx %s\n", id, LongOf(state), Utf8(name).c_str());
    SysFreeString(name);
  }
  VARIANT focus;
  VariantInit(&focus);
  object.get_accFocus(&focus);
  std::fprintf(out, "focus %ld\n", LongOf(focus));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 10)));
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* object = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidIAccessible,
                                                   reinterpret_cast<void**>(&object));
  int status = 1;
  if (SUCCEEDED(found) && object != nullptr) {
    std::FILE* out = _wfopen(argv[2], L"wb");
    if (out != nullptr) {
      status = Read(*object, out);
      std::fclose(out);
    }
    object->Release();
  }
  CoUninitialize();
  return status;
}
