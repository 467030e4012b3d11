#pragma once
// Writes placeable Windows metafiles record by record, for tests and fuzz seeds.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace qb::test {

inline constexpr uint32_t kSrcCopy = 0x00CC0020;
inline constexpr uint32_t kPatCopy = 0x00F00021;

struct FontRecord {
  int16_t height = -16;
  int16_t width = 0;
  int16_t escapement = 0;
  int16_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  uint8_t charset = 0;
  uint8_t pitchAndFamily = 0;
  QByteArray face;  // in the code page of charset
};

class MetafileBuilder {
 public:
  // The placeable frame in metafile units and its units per inch.
  MetafileBuilder(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch = 96);

  MetafileBuilder& Raw(uint16_t function, const std::vector<int>& words);
  MetafileBuilder& RawBytes(uint16_t function, const QByteArray& params);

  MetafileBuilder& SetMapMode(int mode);
  MetafileBuilder& SetWindowOrg(int x, int y);
  MetafileBuilder& SetWindowExt(int x, int y);
  MetafileBuilder& SetViewportOrg(int x, int y);
  MetafileBuilder& SetViewportExt(int x, int y);
  MetafileBuilder& SaveDc();
  MetafileBuilder& RestoreDc(int level);

  MetafileBuilder& CreatePen(uint16_t style, int16_t width, QRgb color);
  MetafileBuilder& CreateBrush(uint16_t style, QRgb color, uint16_t hatch = 0);
  MetafileBuilder& CreateFont(const FontRecord& font);
  MetafileBuilder& CreatePalette(const std::vector<QRgb>& colors);
  MetafileBuilder& CreateDibPatternBrush(const QByteArray& dib);
  // A region of the given rectangles (corner coordinates), one scan each.
  MetafileBuilder& CreateRegion(const std::vector<QRect>& rects);
  MetafileBuilder& SelectObject(int index);
  MetafileBuilder& SelectClipRegion(int index);
  MetafileBuilder& DeleteObject(int index);

  MetafileBuilder& SetBkColor(QRgb color);
  MetafileBuilder& SetBkMode(int mode);
  MetafileBuilder& SetTextColor(QRgb color);
  MetafileBuilder& SetTextAlign(uint16_t align);
  MetafileBuilder& SetPolyFillMode(int mode);
  MetafileBuilder& SetRop2(int rop2);

  MetafileBuilder& MoveTo(int x, int y);
  MetafileBuilder& LineTo(int x, int y);
  MetafileBuilder& Polyline(const std::vector<QPoint>& points);
  MetafileBuilder& Polygon(const std::vector<QPoint>& points);
  MetafileBuilder& PolyPolygon(const std::vector<std::vector<QPoint>>& polygons);
  MetafileBuilder& Rectangle(int left, int top, int right, int bottom);
  MetafileBuilder& RoundRect(int left, int top, int right, int bottom, int width, int height);
  MetafileBuilder& Ellipse(int left, int top, int right, int bottom);
  MetafileBuilder& Pie(QRect box, QPoint start, QPoint end);
  MetafileBuilder& Arc(QRect box, QPoint start, QPoint end);
  MetafileBuilder& SetPixel(int x, int y, QRgb color);
  MetafileBuilder& TextOut(int x, int y, const QByteArray& text);
  // rect is given by its corner coordinates (left, top, right, bottom).
  MetafileBuilder& ExtTextOut(int x, int y, uint16_t options, QRect rect, const QByteArray& text,
                              const std::vector<int16_t>& dx = {});
  MetafileBuilder& StretchDib(QRect destination, QRect source, const QByteArray& dib, uint32_t rop = kSrcCopy);
  // BitBlt with a device-dependent bitmap (Bitmap16 header and bits).
  MetafileBuilder& BitBlt(int x, int y, int width, int height, const QByteArray& bitmap16, uint32_t rop = kSrcCopy);
  MetafileBuilder& PatBlt(int x, int y, int width, int height, uint32_t rop = kPatCopy);
  MetafileBuilder& IntersectClipRect(int left, int top, int right, int bottom);
  MetafileBuilder& ExcludeClipRect(int left, int top, int right, int bottom);

  // Object table size; by default the number of objects created.
  MetafileBuilder& SetObjectCount(uint16_t count);

  // Placeable header, metafile header, the records and the end-of-file record.
  QByteArray Build() const;
  // The same metafile without its placeable header.
  QByteArray BuildWithoutPlaceable() const;

 private:
  QByteArray Body() const;

  int16_t left_, top_, right_, bottom_;
  uint16_t inch_;
  QByteArray records_;
  uint32_t maxRecordWords_ = 3;
  int createdObjects_ = 0;
  int objectCount_ = -1;
};

// A bottom-up 24-bit DIB (BITMAPINFOHEADER and bits); rows top row first.
QByteArray MakeDib24(const std::vector<std::vector<QRgb>>& rows);

// Renders and fails the test when the metafile is refused.
QImage RenderForTest(const QByteArray& metafile);
bool IsColor(const QImage& image, int x, int y, QRgb color);
// Pixels in area darker than mid grey.
int DarkPixels(const QImage& image, const QRect& area);

}  // namespace qb::test
