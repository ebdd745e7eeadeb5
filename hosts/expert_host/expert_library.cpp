#include "hosts/expert_host/expert_library.h"

#include <dlfcn.h>

#include <cstdio>

namespace orvalen::hosts {

namespace {

// The library whose entry point is running: the register procedure has no
// argument to tell it, and registration happens only inside that call.
thread_local ExpertLibrary* registering = nullptr;

std::string DlError() {
  const char* message = dlerror();
  return message ? message : "unknown error";
}

}  // namespace

bool ExpertLibrary::Register(ota::TIExpert* expert) {
  if (!registering || !expert) return false;
  registering->experts_.push_back(expert);
  return true;
}

std::string IdeStringText(ota::IdeString text) {
  return text ? std::string(text, ota::IdeStrLength(text)) : std::string();
}

std::string TakeIdeString(ota::IdeString text) {
  std::string copy = IdeStringText(text);
  ota::IdeStrRelease(text);
  return copy;
}

ExpertDescription Describe(ota::TIExpert& expert) {
  ExpertDescription d;
  d.version = expert.GetVersion();
  d.name = TakeIdeString(expert.GetName());
  d.author = TakeIdeString(expert.GetAuthor());
  d.comment = TakeIdeString(expert.GetComment());
  d.page = TakeIdeString(expert.GetPage());
  if (auto* glyph = reinterpret_cast<const ota::IdeGlyph*>(expert.GetGlyph()); glyph && glyph->data)
    d.glyph.assign(glyph->data, glyph->data + glyph->size);
  d.style = expert.GetStyle();
  d.state = expert.GetState();
  d.idString = TakeIdeString(expert.GetIDString());
  d.menuText = TakeIdeString(expert.GetMenuText());
  return d;
}

ExpertLibrary::ExpertLibrary(const std::string& path) : path_(path) {
  dlerror();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw EExpertLoadError("Cannot load the expert " + path + ": " + DlError());
  init_ = reinterpret_cast<ota::InitExpertProc>(dlsym(handle_, ota::kInitExpertName));
  if (!init_) {
    const std::string why = DlError();
    dlclose(handle_);
    throw EExpertLoadError(path + " is not an expert: " + why);
  }
}

ExpertLibrary::~ExpertLibrary() {
  Unload();
}

bool ExpertLibrary::Initialize(ota::TIToolServices* services) {
  if (!handle_) return false;
  ota::TerminateProc terminate = nullptr;
  ExpertLibrary* outer = registering;
  registering = this;
  const bool ok = init_(services, Register, &terminate);
  registering = outer;
  if (terminate) terminates_.push_back(terminate);
  return ok;
}

std::vector<int> ExpertLibrary::Unload() {
  std::vector<int> counts;
  if (!handle_) return counts;
  for (ota::TIExpert* expert : experts_) counts.push_back(expert->Release());
  experts_.clear();
  for (auto it = terminates_.rbegin(); it != terminates_.rend(); ++it) (*it)();
  terminates_.clear();
  if (dlclose(handle_) != 0)
    std::fprintf(stderr, "Cannot unload the expert %s: %s\n", path_.c_str(), DlError().c_str());
  handle_ = nullptr;
  init_ = nullptr;
  return counts;
}

}  // namespace orvalen::hosts
