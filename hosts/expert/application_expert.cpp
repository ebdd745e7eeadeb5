#include "hosts/expert/application_expert.h"

#include <exception>

#include "generator/string_ids.h"
#include "platform/resources.h"

namespace orvalen::hosts {

namespace {

constexpr int kInterfaceVersion = 3;

ota::IdeString ResourceString(int id) {
  const std::string text = platform::LoadStr(id);
  return ota::IdeStrNew(text.data(), text.size());
}

// The module's icon "ORVALEN", as the contract's glyph.
ota::HICON Glyph() {
  static const ota::IdeGlyph glyph = [] {
    auto bytes = platform::FindResource("ORVALEN", platform::ResourceType::Bitmap);
    return bytes ? ota::IdeGlyph{static_cast<std::uint32_t>(bytes->size()), bytes->data()}
                 : ota::IdeGlyph{0, nullptr};
  }();
  return glyph.size == 0 ? 0 : reinterpret_cast<ota::HICON>(&glyph);
}

}  // namespace

int TApplicationExpert::AddRef() {
  return ++refCount_;
}

int TApplicationExpert::Release() {
  const int count = --refCount_;
  if (count == 0) delete this;
  return count;
}

int TApplicationExpert::GetVersion() {
  return kInterfaceVersion;
}

void TApplicationExpert::Report(const std::string& message) {
  if (module_.services) {
    ota::IdeString text = ota::IdeStrNew(message.data(), message.size());
    module_.services->RaiseException(text);
    ota::IdeStrRelease(text);
  } else if (module_.showError) {
    module_.showError(message);
  }
}

template <typename T>
T TApplicationExpert::Guarded(T fallback, const std::function<T()>& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    Report(error.what());
  } catch (...) {
    Report("Unknown error");
  }
  return fallback;
}

ota::IdeString TApplicationExpert::GetName() {
  return Guarded<ota::IdeString>(nullptr, [] { return ResourceString(ids::kExpertName); });
}

ota::IdeString TApplicationExpert::GetAuthor() {
  return Guarded<ota::IdeString>(
      nullptr, [] { return ota::IdeStrNew("Pellor (Ardelin) MDI Application Expert"); });
}

ota::IdeString TApplicationExpert::GetComment() {
  return Guarded<ota::IdeString>(nullptr, [] { return ResourceString(ids::kExpertComment); });
}

ota::IdeString TApplicationExpert::GetPage() {
  return Guarded<ota::IdeString>(nullptr, [] { return ResourceString(ids::kGalleryPage); });
}

ota::HICON TApplicationExpert::GetGlyph() {
  return Guarded<ota::HICON>(0, [] { return Glyph(); });
}

int TApplicationExpert::GetStyle() {
  return ota::esProject;
}

unsigned TApplicationExpert::GetState() {
  return ota::esEnabled;
}

ota::IdeString TApplicationExpert::GetIDString() {
  return Guarded<ota::IdeString>(nullptr,
                                 [] { return ota::IdeStrNew("Pellor Orvalen MDI App Expert"); });
}

ota::IdeString TApplicationExpert::GetMenuText() {
  return ota::IdeStrNew("Orvalen MDI Expert");
}

void TApplicationExpert::Execute() {
  Guarded<int>(0, [this] {
    if (module_.run) module_.run();
    return 0;
  });
}

}  // namespace orvalen::hosts
