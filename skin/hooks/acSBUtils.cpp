#include "skin/hooks/acSBUtils.h"

#include "skin/core/acProcAddress.h"

namespace skin {

namespace {
TScrollBarFunctions g_fn;
HMODULE g_comctl = nullptr;

template <class F>
void Bind(F& f, HMODULE m, const char* name) {
  f = ProcAddress<F>(m, name);
}
}  // namespace

const TScrollBarFunctions& ScrollBarFunctions() { return g_fn; }

void InitScrollBarHooksUnit() {
  Bind(g_fn.GetScrollBarInfo, GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo");
  if (!g_comctl) g_comctl = LoadLibraryW(L"comctl32.dll");
  Bind(g_fn.InitializeFlatSB, g_comctl, "InitializeFlatSB");
  Bind(g_fn.UninitializeFlatSB, g_comctl, "UninitializeFlatSB");
}

void DoneScrollBarHooksUnit() {
  g_fn = TScrollBarFunctions{};
  if (g_comctl) FreeLibrary(g_comctl);
  g_comctl = nullptr;
}

}  // namespace skin
