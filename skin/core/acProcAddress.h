// Optional system functions, looked up by name at run time so that the program also runs
// on systems that lack them.
#pragma once
#include <windows.h>

namespace skin {

// The entry point `name` of `lib` as a function pointer of type F; nullptr when the
// library is not there or does not export the name.
template <class F>
F ProcAddress(HMODULE lib, const char* name) {
  return lib ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name))) : nullptr;
}

}  // namespace skin
