#include "plugins/PluginLibrary.h"

#include <memory>

#include "shared/Win32Owner.h"
#include "shared/WheelNotification.h"

namespace {

// Hidden, system, volume label, directory: such entries are never plug-ins
// to load.
constexpr DWORD SkippedAttributes = 0x1E;

// folder with a backslash at its end. The last byte alone cannot tell: in a
// double-byte code page it may be the second half of a character (ソ is
// 83 5C in code page 932), so the last character is found by the code page's
// rules.
std::string WithSeparator(const std::string& folder) {
  const char* begin = folder.c_str();
  const char* end = begin + folder.size();
  const char* last = CharPrevA(begin, end);
  if (last + 1 == end && *last == '\\') return folder;
  return folder + '\\';
}

}  // namespace

// Every call into a plug-in runs inside a frame of the system's structured
// exception handling, registered on the stack as the compilers of Windows
// do for __try (GCC has no __try). A fault that the plug-in does not handle
// itself, an access violation, or a C++ exception of a plug-in built with
// Visual C++ (which the system raises as an exception of its own), reaches
// this frame after every handler of the plug-in has declined it. The frame
// lets the system unwind the plug-in's frames, running their cleanup, and
// resumes behind the call as if it had returned 0. The plug-in may have
// been left in a bad state; the program goes on. What cannot be caught
// here: a plug-in built with GCC whose C++ exception escapes ends in that
// plug-in's own terminate handler, and a stack overflow leaves the stack
// without its guard page, so a second one ends the program.
//
// VorlixGuardedCall(function, arguments, count, fault): calls the stdcall
// function with count 32-bit arguments and returns its result; *fault is
// 0, or the code of the exception that ended the call. The stack pointer
// is restored from the frame, so a function that removes the wrong number
// of arguments does no harm either.
extern "C" {
std::int32_t VorlixGuardedCall(const void* function, const std::int32_t* arguments,
                               std::int32_t count, DWORD* fault);
// Leaves the handler for the resumption behind the call, on the stack of
// the frame given: the dispatcher is not returned to, since an exception
// raised as not continuable may not be continued.
[[noreturn]] void VorlixGuardJump(void* frame);
}

// The frame as VorlixGuardedCall pushes it: the registration the system
// walks (previous, handler, and where the fault goes), then the
// callee-saved registers and the frame pointer, which the resumption pops.
struct TGuardFrame {
  TGuardFrame* Previous;
  void* Handler;
  DWORD* Fault;
  DWORD SavedRegisters[3];  // edi, esi, ebx
  DWORD FramePointer;       // the ebp that the call set up
};

extern "C" EXCEPTION_DISPOSITION VorlixGuardHandler(EXCEPTION_RECORD* record, void* frame,
                                                    CONTEXT*, void*) {
  if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0)
    return ExceptionContinueSearch;
  *static_cast<TGuardFrame*>(frame)->Fault = record->ExceptionCode;
  RtlUnwind(frame, nullptr, record, nullptr);
  VorlixGuardJump(frame);
}

asm(R"(
  .text
  .globl _VorlixGuardedCall
  .globl _VorlixGuardJump
_VorlixGuardedCall:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 20(%ebp), %eax
  movl $0, (%eax)
  pushl %eax
  pushl $_VorlixGuardHandler
  pushl %fs:0
  movl %esp, %fs:0
  movl 16(%ebp), %ecx
  movl 12(%ebp), %esi
1:
  testl %ecx, %ecx
  jle 2f
  decl %ecx
  pushl (%esi,%ecx,4)
  jmp 1b
2:
  call *8(%ebp)
_VorlixGuardResume:
  leal -24(%ebp), %esp
  movl (%esp), %ecx
  movl %ecx, %fs:0
  addl $12, %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
_VorlixGuardJump:
  movl 4(%esp), %eax
  movl %eax, %esp
  leal 24(%eax), %ebp
  xorl %eax, %eax
  jmp _VorlixGuardResume
)");

namespace {

static_assert(sizeof(void*) == 4 && sizeof(TGuardFrame) == 28, "the frame VorlixGuardedCall builds");

// A pointer as the 32-bit argument a plug-in receives.
std::int32_t Argument(const void* pointer) {
  return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace

std::int32_t TPlugin::Call(const void* entry, std::initializer_list<std::int32_t> arguments,
                           DWORD& fault) {
  return VorlixGuardedCall(entry, arguments.begin(), static_cast<std::int32_t>(arguments.size()),
                           &fault);
}

TPlugin::TPlugin(const std::string& folder, const std::string& fileName)
    : FileName(fileName), Path(folder + fileName) {}

const char* TPlugin::GetDllName() const noexcept { return Path.c_str(); }

bool TPlugin::Load() noexcept {
  if (!TDllLoader::Load()) return false;
  return ResolveAll(std::pair{&EntryGetCount, "GetCount"},
                    std::pair{&EntryGetCaption, "GetCaption"}, std::pair{&EntryAction, "Action"});
}

std::string TPlugin::GetName() const { return FileName; }

std::int32_t TPlugin::GetCount() {
  DWORD fault = 0;
  return EntryGetCount != nullptr ? Call(reinterpret_cast<const void*>(EntryGetCount), {}, fault)
                                  : 0;
}

// Zero-filled, so that a plug-in that returns more than it wrote still gives
// a text that ends inside the buffer. What a call that faulted left there
// is no caption.
std::string TPlugin::GetCaption(std::int32_t number) {
  if (EntryGetCaption == nullptr) return {};
  TCaptionBuffer buffer = {};
  DWORD fault = 0;
  const std::int32_t written = Call(reinterpret_cast<const void*>(EntryGetCaption),
                                    {number, Argument(buffer), CaptionSize}, fault);
  return fault == 0 ? CaptionText(buffer, written) : std::string();
}

std::int32_t TPlugin::Action(std::int32_t number, TActionParam* param) {
  DWORD fault = 0;
  return EntryAction != nullptr
             ? Call(reinterpret_cast<const void*>(EntryAction), {number, Argument(param)}, fault)
             : 0;
}

bool TInternalPlugin::Load() noexcept { return true; }

std::string TInternalPlugin::GetName() const { return InternalPluginName; }

std::int32_t TInternalPlugin::GetCount() { return 1; }

std::string TInternalPlugin::GetCaption(std::int32_t) { return DoubleClickAction; }

std::int32_t TInternalPlugin::Action(std::int32_t number, TActionParam* param) {
  if (number == 0 && param != nullptr) DoubleClick(*param);
  return 0;
}

// Two press-release pairs within the double-click time make a double click.
// Without MOUSEEVENTF_MOVE the cursor stays where it is and the clicks land
// there; x and y ride along unscaled. The clicks are marked as Vorlix's
// own, so that no rule acts on them.
void TInternalPlugin::DoubleClick(const TActionParam& param) {
  constexpr ULONG_PTR extra = OwnInputMarker;
  constexpr DWORD Press = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  constexpr DWORD Release = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  for (const DWORD flags : {Press, Release, Press, Release})
    mouse_event(flags, static_cast<DWORD>(param.X), static_cast<DWORD>(param.Y), 0, extra);
}

TPlugins::TPlugins() : TPlugins(std::make_unique<TInternalPlugin>()) {}

// Each file is loaded by its full path: the library search order would
// otherwise decide which file of that name is loaded.
void TPlugins::LoadDirectory(const std::string& folder) {
  const std::string prefix = WithSeparator(folder);
  WIN32_FIND_DATAA entry;
  const HANDLE first = FindFirstFileA((prefix + "*.vxp").c_str(), &entry);
  if (first == INVALID_HANDLE_VALUE) return;
  const TFindHandle search(first);
  do {
    if ((entry.dwFileAttributes & SkippedAttributes) != 0) continue;
    auto plugin = std::make_unique<TPlugin>(prefix, entry.cFileName);
    if (plugin->Load()) Add(std::move(plugin));
  } while (FindNextFileA(search.Get(), &entry));
}
