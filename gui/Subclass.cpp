#include "gui/Subclass.h"

#include <cstring>
#include <stdexcept>

#include "gui/Forms.h"

namespace gui {

namespace {

// mov rcx, object; mov rax, proc; jmp rax
#pragma pack(push, 1)
struct Thunk {
  unsigned char movRcx[2];
  void* object;
  unsigned char movRax[2];
  void* proc;
  unsigned char jmpRax[2];
};
#pragma pack(pop)

HANDLE ThunkHeap() {
  static HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  return heap;
}

}  // namespace

WNDPROC MakeObjectInstance(TObjectWndProc proc, void* object) {
  auto* t = static_cast<Thunk*>(HeapAlloc(ThunkHeap(), 0, sizeof(Thunk)));
  if (!t) throw std::bad_alloc();
  const Thunk code{{0x48, 0xB9}, object, {0x48, 0xB8}, reinterpret_cast<void*>(proc), {0xFF, 0xE0}};
  std::memcpy(t, &code, sizeof code);
  FlushInstructionCache(GetCurrentProcess(), t, sizeof(Thunk));
  return reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(t));
}

void FreeObjectInstance(WNDPROC instance) {
  if (instance) HeapFree(ThunkHeap(), 0, reinterpret_cast<void*>(instance));
}

TWindowSubclass::TWindowSubclass() {
  instance_ = MakeObjectInstance(reinterpret_cast<TObjectWndProc>(&TWindowSubclass::Entry), this);
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

namespace {
// What stays of a subclass that was freed while a later one still calls it.
struct Forwarder {
  HWND window;
  WNDPROC previous;
};
LRESULT CALLBACK ForwardEntry(void* object, UINT m, WPARAM w, LPARAM l) {
  auto* f = static_cast<Forwarder*>(object);
  return CallWindowProcW(f->previous, f->window, m, w, l);
}
}  // namespace

TWindowSubclass::~TWindowSubclass() {
  Unbind();
  if (chainWnd_ && IsWindow(chainWnd_)) {
    // The window's chain still runs through our procedure: it becomes a plain
    // pass-on to the previous one and stays for the window's life.
    auto* t = reinterpret_cast<Thunk*>(reinterpret_cast<void*>(instance_));
    t->object = new Forwarder{chainWnd_, previous_};
    t->proc = reinterpret_cast<void*>(&ForwardEntry);
    FlushInstructionCache(GetCurrentProcess(), t, sizeof(Thunk));
    return;
  }
  FreeObjectInstance(instance_);
}

void TWindowSubclass::Bind(HWND h) {
  if (handle_) throw std::logic_error("the object already subclasses a window");
  if (!IsWindow(h)) throw std::invalid_argument("no such window");
  if (chainWnd_ && IsWindow(chainWnd_)) throw std::logic_error("the object is still in another window's chain");
  chainWnd_ = nullptr;
  handle_ = h;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance_)));
}

void TWindowSubclass::Unbind() {
  if (!handle_) return;
  // Another subclass put on later still calls ours: taking its place back would cut it
  // off, so the chain is left alone and our procedure keeps passing messages on.
  if (IsWindow(handle_) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle_, GWLP_WNDPROC)) == instance_) {
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    chainWnd_ = nullptr;
  } else {
    chainWnd_ = IsWindow(handle_) ? handle_ : nullptr;
  }
  handle_ = nullptr;
}

void TWindowSubclass::CallPrevious(TMessage& msg) {
  passedOn_ = true;
  if (previous_) msg.Result = CallWindowProcW(previous_, handle_, msg.Msg, msg.WParam, msg.LParam);
}

LRESULT CALLBACK TWindowSubclass::Entry(TWindowSubclass* self, UINT m, WPARAM w, LPARAM l) {
  if (!self->handle_) {
    // Still in a chain after letting go (a later subclass kept calling us): pass on.
    return self->previous_ ? CallWindowProcW(self->previous_, self->chainWnd_, m, w, l) : 0;
  }
  TMessage msg{m, w, l, 0};
  self->passedOn_ = false;
  try {
    self->WindowProc(msg);
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
  if (m == WM_NCDESTROY) {
    // The window's last message must reach the procedures below us, whatever happened.
    if (!self->passedOn_) self->CallPrevious(msg);
    self->Unbind();
    try {
      self->WindowDestroyed();
    } catch (...) {
      if (Application) Application->HandleException(std::current_exception());
    }
  }
  return msg.Result;
}

}  // namespace gui
