#include "print/SiteFiles.h"

#include <array>

#include "print/EmbeddedSite.h"

namespace tarnwick {
namespace {

constexpr std::string_view kFrontPage = "index.html";
constexpr std::string_view kHtml = "text/html; charset=utf-8";
constexpr std::string_view kCss = "text/css; charset=utf-8";

constexpr std::string_view ContentTypeOf(std::string_view name) {
  return name.ends_with(".css") ? kCss : kHtml;
}

constexpr std::size_t kFileCount = std::size(site::kEmbeddedFiles);

std::array<SiteFile, kFileCount> MakeSiteFiles() {
  std::array<SiteFile, kFileCount> files{};
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const site::EmbeddedFile& embedded = site::kEmbeddedFiles[i];
    // The bytes are the file's own; only their type differs.
    const std::string_view content(reinterpret_cast<const char*>(embedded.bytes), embedded.size);
    files[i] = {embedded.name, content, ContentTypeOf(embedded.name)};
  }
  return files;
}

const std::array<SiteFile, kFileCount>& SiteFileTable() {
  static const std::array<SiteFile, kFileCount> files = MakeSiteFiles();
  return files;
}

}  // namespace

const SiteFile* FindSiteFile(std::string_view target) {
  target = target.substr(0, target.find('?'));
  if (!target.starts_with(kSiteFolder)) return nullptr;
  std::string_view name = target.substr(kSiteFolder.size());
  if (name.empty()) name = kFrontPage;
  for (const SiteFile& file : SiteFileTable()) {
    if (file.name == name) return &file;
  }
  return nullptr;
}

}  // namespace tarnwick
