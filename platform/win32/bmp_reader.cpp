// The BMP reader: the file is mapped read-only, its header checked by the
// portable parser, and GDI converts the pixels of any depth and compression
// it knows into a 24-bit DIB section, which is then copied out as packed RGB
// rows, bottom row first.

#include "platform/win32/bmp_reader.h"

#include <windows.h>

#include "render/dib_header.h"
#include "render/dib_messages.h"

namespace {

// The file's bytes for as long as the object lives.
class MappedFile {
 public:
  explicit MappedFile(const char* fileName) {
    if (fileName == nullptr) return;
    file_ = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    DWORD high = 0;
    DWORD low = GetFileSize(file_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return;
    if (high != 0) return;  // beyond what a 32-bit process can map
    // An empty file cannot be mapped: CreateFileMapping refuses it.
    mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_ == nullptr) return;
    view_ = static_cast<const std::uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    size_ = low;
  }
  ~MappedFile() {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const std::uint8_t* bytes() const { return view_; }
  std::size_t size() const { return size_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const std::uint8_t* view_ = nullptr;
  std::size_t size_ = 0;
};

// A memory device context with a 24-bit DIB section selected into it.
class TrueColourSection {
 public:
  TrueColourSection(std::int32_t width, std::int32_t height) {
    deviceContext_ = CreateCompatibleDC(nullptr);
    if (deviceContext_ == nullptr) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // with its sign: same row order as the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(
        dib::rowStride(width, 24) * static_cast<std::size_t>(height < 0 ? -height : height));
    void* bits = nullptr;
    section_ = CreateDIBSection(deviceContext_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section_ == nullptr) return;
    previous_ = SelectObject(deviceContext_, section_);
    if (previous_ == nullptr || previous_ == HGDI_ERROR) return;
    bits_ = static_cast<const std::uint8_t*>(bits);
  }
  ~TrueColourSection() {
    if (bits_ != nullptr) SelectObject(deviceContext_, previous_);
    if (section_ != nullptr) DeleteObject(section_);
    if (deviceContext_ != nullptr) DeleteDC(deviceContext_);
  }
  TrueColourSection(const TrueColourSection&) = delete;
  TrueColourSection& operator=(const TrueColourSection&) = delete;

  bool ok() const { return bits_ != nullptr; }
  HDC deviceContext() const { return deviceContext_; }
  HBITMAP section() const { return section_; }
  const std::uint8_t* bits() const { return bits_; }

 private:
  HDC deviceContext_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  const std::uint8_t* bits_ = nullptr;
};
}  // namespace

BitmapImage* readDibFileWithGdi(const char* fileName) {
  MappedFile file(fileName);
  if (file.bytes() == nullptr) {
    dib::reportOpenFailure(fileName);
    return nullptr;
  }
  dib::Layout layout;
  if (!dib::parseHeaderOrReport(file.bytes(), file.size(), &layout)) return nullptr;

  TrueColourSection target(layout.width, layout.height);
  if (!target.ok()) {
    dib::reportFailure(dib::messageOutOfMemory);
    return nullptr;
  }
  const auto* sourceInfo = reinterpret_cast<const BITMAPINFO*>(layout.conversionHeader.data());
  int converted =
      SetDIBits(target.deviceContext(), target.section(), 0, static_cast<UINT>(layout.rows()),
                file.bytes() + layout.pixelOffset, sourceInfo, DIB_RGB_COLORS);
  if (converted == 0) {
    dib::reportFailure(dib::messageConversionError);
    return nullptr;
  }
  GdiFlush();

  return dib::imageOrReport(target.bits(), layout.width, layout.height);
}
