// The contract between an IDE and an expert module such as orvalen.so. A
// host needs nothing but this header, libidemm.so and dlopen:
//
//   void* module = dlopen("orvalen.so", RTLD_NOW | RTLD_LOCAL);
//   auto init = reinterpret_cast<ota::InitExpertProc>(dlsym(module, ota::kInitExpertName));
//   ota::TerminateProc terminate = nullptr;
//   bool ok = init(services, RegisterExpert, &terminate);
//   ... use the registered experts, Release() each ...
//   terminate(); dlclose(module);
//
// Objects. TInterface, TIExpert and TIToolServices are C++ classes whose
// virtual functions occupy the vtable slots in the order declared below,
// with the platform's calling convention. They have no virtual destructor:
// an object ends through Release(). A new object has a reference count of 1.
//
// Strings (IdeString). A pointer to the first character of a block that
// holds, in front of that character, a 32-bit reference count and a 32-bit
// length (in bytes, without the NUL), and ends with a NUL. Null is the empty
// string. A string returned by an operation belongs to the caller (one
// reference: release it with IdeStrRelease); a string passed as an argument
// is borrowed for the call. Every block is allocated and freed through the
// IDE's shared memory manager, libidemm.so (SysGetMem, SysFreeMem,
// SysReallocMem), so either side may release the other's strings.
//
// Glyphs. TIExpert::GetGlyph returns 0 for no glyph, or a pointer to an
// IdeGlyph that stays valid while the module is loaded; its bytes are an
// image file (a Windows bitmap) that any image library can decode.
//
// Errors. No exception leaves a module operation: a failure's message goes to
// the services' RaiseException and the operation returns its fallback.
//
// Versions. The classic contract's services answer GetVersion() with
// kServicesVersionClassic (3). Services whose GetVersion() is
// kServicesVersionProjectKind (4) or more have one more operation, in the
// vtable slot after RaiseException:
//   virtual int GetProjectKind() = 0;
//     pkDelphi = 0: the host opens .DPR projects (what version 3 means)
//     pkLazarus = 1: the host opens Lazarus projects (.lpi)
// declared below as TIToolServices2, which leaves TIToolServices as it was. A
// module calls it only when the version says it exists (ProjectKindOf). A
// module in a pkLazarus host writes a Lazarus project and hands the host its
// .lpi file to open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" {
// The IDE's shared memory manager (libidemm.so).
void* SysGetMem(std::size_t size);
int SysFreeMem(void* block);  // 0 on success
void* SysReallocMem(void* block, std::size_t size);
}

namespace ota {

using IdeString = char*;
using HWND = std::uintptr_t;  // a window of the host: a QWidget's winId() for Qt hosts
using HICON = std::uintptr_t;

struct IdeGlyph {
  std::uint32_t size;        // bytes at data
  const std::uint8_t* data;  // an image file, e.g. "BM..."
};

// Expert styles.
enum TExpertStyle : int { esStandard = 0, esForm = 1, esProject = 2, esAddIn = 3 };
// Expert state bits.
enum : unsigned { esEnabled = 1u << 0, esChecked = 1u << 1 };

class TInterface {
 public:
  virtual int AddRef() = 0;
  virtual int Release() = 0;
  virtual int GetVersion() = 0;

 protected:
  ~TInterface() = default;
};

class TIExpert : public TInterface {
 public:
  virtual IdeString GetName() = 0;
  virtual IdeString GetAuthor() = 0;
  virtual IdeString GetComment() = 0;
  virtual IdeString GetPage() = 0;
  virtual HICON GetGlyph() = 0;  // an IdeGlyph*, or 0
  virtual int GetStyle() = 0;
  virtual unsigned GetState() = 0;
  virtual IdeString GetIDString() = 0;
  virtual IdeString GetMenuText() = 0;
  virtual void Execute() = 0;

 protected:
  ~TIExpert() = default;
};

class TIToolServices : public TInterface {
 public:
  // Asks the IDE to close its current project: true when it was closed.
  virtual bool CloseProject() = 0;
  // Opens the project file (an absolute path, borrowed).
  virtual bool OpenProject(IdeString projectFileName) = 0;
  // The IDE's main window.
  virtual HWND GetParentHandle() = 0;
  // Shows the message (borrowed) as an error of the IDE.
  virtual void RaiseException(IdeString message) = 0;

 protected:
  ~TIToolServices() = default;
};

inline constexpr int kServicesVersionClassic = 3;
inline constexpr int kServicesVersionProjectKind = 4;

// What a host opens.
enum TProjectKind : int { pkDelphi = 0, pkLazarus = 1 };

// The services from version 4 on: the classic slots, then GetProjectKind.
class TIToolServices2 : public TIToolServices {
 public:
  virtual int GetProjectKind() = 0;

 protected:
  ~TIToolServices2() = default;
};

// What the host opens: its answer when its version has the operation, else pkDelphi.
inline int ProjectKindOf(TIToolServices& services) {
  if (services.GetVersion() < kServicesVersionProjectKind) return pkDelphi;
  return static_cast<TIToolServices2&>(services).GetProjectKind();
}

using RegisterProc = bool (*)(TIExpert* expert);
using TerminateProc = void (*)();
using InitExpertProc = bool (*)(TIToolServices* services, RegisterProc registerProc,
                                TerminateProc* terminate);
inline constexpr const char* kInitExpertName = "INITEXPERT0017";

// The header in front of an IdeString's characters.
struct IdeStrHeader {
  std::int32_t refCount;
  std::int32_t length;
};

inline IdeStrHeader* IdeStrHead(IdeString s) {
  return reinterpret_cast<IdeStrHeader*>(s) - 1;
}

// A new string with one reference; null for the empty text (or when the
// memory manager has no memory left).
inline IdeString IdeStrNew(const char* text, std::size_t length) {
  if (length == 0) return nullptr;
  auto* head = static_cast<IdeStrHeader*>(SysGetMem(sizeof(IdeStrHeader) + length + 1));
  if (!head) return nullptr;
  head->refCount = 1;
  head->length = static_cast<std::int32_t>(length);
  char* chars = reinterpret_cast<char*>(head + 1);
  std::memcpy(chars, text, length);
  chars[length] = '\0';
  return chars;
}

inline IdeString IdeStrNew(const char* text) {
  return text ? IdeStrNew(text, std::strlen(text)) : nullptr;
}

inline std::size_t IdeStrLength(IdeString s) {
  return s ? static_cast<std::size_t>(IdeStrHead(s)->length) : 0;
}

inline void IdeStrAddRef(IdeString s) {
  if (s) ++IdeStrHead(s)->refCount;
}

// Drops one reference; the block is freed with the last one.
inline void IdeStrRelease(IdeString s) {
  if (s && --IdeStrHead(s)->refCount == 0) SysFreeMem(IdeStrHead(s));
}

}  // namespace ota

extern "C" bool INITEXPERT0017(ota::TIToolServices* services, ota::RegisterProc registerProc,
                               ota::TerminateProc* terminate);
