#pragma once
// Stands in for the printer: every job goes into enhanced metafiles, one a page, which a test
// reads back as text runs with their colours, or renders to pixels.
#include "forms/Errors.h"
#include "forms/Printing.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vd::test {

struct PrintedJob {
  std::string title;
  std::vector<HENHMETAFILE> pages;
  bool ended = false;
  bool aborted = false;
};

// One piece of text as drawn, and the text colour in force when it was drawn.
struct TextRun {
  std::string text;
  COLORREF colour;
  POINT at; // the reference point it was drawn at
};

class MetafilePrinter final : public forms::PrinterService {
public:
  // The printable area in screen pixels (the metafiles' reference device); Letter at 96 DPI less
  // a small unprintable edge by default.
  explicit MetafilePrinter(int width = 780, int height = 1020) : width_(width), height_(height) {}
  ~MetafilePrinter() override {
    for (auto& job : jobs)
      for (HENHMETAFILE page : job.pages)
        DeleteEnhMetaFile(page);
  }

  std::unique_ptr<forms::PrintTarget> OpenDevice() override {
    if (refusal)
      throw forms::Error(*refusal);
    return std::make_unique<Target>(*this);
  }
  bool RunPrinterSetup(HWND) override {
    ++setupRuns;
    return true;
  }

  std::vector<PrintedJob> jobs;
  int setupRuns = 0;
  std::optional<std::string> refusal; // set: OpenPrinter fails with this message
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The text drawn on a page, in drawing order.
  static std::vector<TextRun> TextRuns(HENHMETAFILE page) {
    std::vector<TextRun> runs;
    const UINT size = GetEnhMetaFileBits(page, 0, nullptr);
    std::vector<BYTE> bits(size);
    GetEnhMetaFileBits(page, size, bits.data());
    COLORREF colour = 0;
    for (UINT at = 0; at + sizeof(EMR) <= size;) {
      const auto* rec = reinterpret_cast<const EMR*>(bits.data() + at);
      if (rec->nSize == 0)
        break;
      if (rec->iType == EMR_SETTEXTCOLOR) {
        colour = reinterpret_cast<const EMRSETTEXTCOLOR*>(rec)->crColor;
      } else if (rec->iType == EMR_EXTTEXTOUTW) {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        const auto* chars =
            reinterpret_cast<const wchar_t*>(bits.data() + at + t->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < t->emrtext.nChars; ++i)
          text.push_back(static_cast<char>(chars[i]));
        const POINTL p = t->emrtext.ptlReference;
        if (!text.empty())
          runs.push_back({text, colour, {p.x, p.y}});
      } else if (rec->iType == EMR_EXTTEXTOUTA) {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(rec);
        const auto* chars = reinterpret_cast<const char*>(bits.data() + at + t->emrtext.offString);
        const POINTL p = t->emrtext.ptlReference;
        if (t->emrtext.nChars)
          runs.push_back({std::string(chars, t->emrtext.nChars), colour, {p.x, p.y}});
      }
      at += rec->nSize;
    }
    return runs;
  }

  static std::string PageText(HENHMETAFILE page) {
    std::string all;
    for (const auto& run : TextRuns(page))
      all += run.text;
    return all;
  }

  // The page played onto white paper, as 0x00RRGGBB pixels.
  std::vector<std::uint32_t> Render(HENHMETAFILE page) const {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, width_, height_};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, page, &r);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(pixels);
    std::vector<std::uint32_t> out(p, p + static_cast<size_t>(width_) * height_);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    for (auto& px : out)
      px &= 0xFFFFFFu;
    return out;
  }

private:
  class Target final : public forms::PrintTarget {
  public:
    explicit Target(MetafilePrinter& p) : p_(p) {}
    ~Target() override {
      if (dc_)
        DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    }
    HDC Dc() override { return dc_; }
    forms::PrintArea Area() override { return {p_.width_, p_.height_}; }
    void StartJob(const std::string& title) override {
      p_.jobs.push_back({title, {}, false, false});
    }
    void StartPage() override {
      HDC screen = GetDC(nullptr);
      // The frame is in hundredths of a millimetre.
      const RECT frame{0, 0, MulDiv(p_.width_, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                       MulDiv(p_.height_, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
      dc_ = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
      ReleaseDC(nullptr, screen);
    }
    void EndPage() override {
      p_.jobs.back().pages.push_back(CloseEnhMetaFile(dc_));
      dc_ = nullptr;
    }
    void EndJob() override { p_.jobs.back().ended = true; }
    void AbortJob() override { p_.jobs.back().aborted = true; }

  private:
    MetafilePrinter& p_;
    HDC dc_ = nullptr;
  };

  int width_, height_;
  ServiceOverride<forms::PrinterService> installed_{forms::Printers(), *this};
};

} // namespace vd::test
