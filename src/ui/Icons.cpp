#include "ui/Icons.h"

#include "common/GdiHandles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace tavlo {

namespace {

// Shapes are designed on a 16 x 16 grid and scaled to the size asked for.
constexpr double kGrid = 16.0;
// Samples per pixel edge: 4 x 4 samples give smooth edges at 16 pixels.
constexpr int kSamples = 4;

struct Point {
    double x;
    double y;
};

struct Colour {
    std::uint8_t r, g, b;
};

double SegmentDistance(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double cx = a.x + t * dx - p.x, cy = a.y + t * dy - p.y;
    return std::sqrt(cx * cx + cy * cy);
}

bool InsidePolygon(Point p, const std::vector<Point>& poly)
{
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

double PolygonEdgeDistance(Point p, const std::vector<Point>& poly)
{
    double best = 1e9;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        best = std::min(best, SegmentDistance(p, poly[j], poly[i]));
    return best;
}

// A canvas in grid units; every shape is painted over what is there, with its sampled coverage.
class Canvas {
public:
    explicit Canvas(int size) : size_(size), rgba_(static_cast<std::size_t>(size) * size * 4, 0.0) {}

    // A filled polygon with an outline of `outline` grid units inside its edge.
    void Polygon(const std::vector<Point>& poly, Colour fill, Colour edge, double outline)
    {
        Paint(edge, [&](Point p) { return InsidePolygon(p, poly); });
        Paint(fill, [&](Point p) { return InsidePolygon(p, poly) && PolygonEdgeDistance(p, poly) >= outline; });
    }

    // A stroke with round ends, `radius` grid units around the segment, with an outline around it.
    void Stroke(Point a, Point b, double radius, Colour fill, Colour edge, double outline)
    {
        Paint(edge, [&](Point p) { return SegmentDistance(p, a, b) <= radius + outline; });
        Paint(fill, [&](Point p) { return SegmentDistance(p, a, b) <= radius; });
    }

    // Only the fill of several strokes, after their outlines were painted together, so that
    // crossing strokes read as one shape.
    void Strokes(const std::vector<std::pair<Point, Point>>& strokes, double radius, Colour fill, Colour edge,
                 double outline)
    {
        auto within = [&](Point p, double r) {
            for (const auto& [a, b] : strokes)
                if (SegmentDistance(p, a, b) <= r) return true;
            return false;
        };
        Paint(edge, [&](Point p) { return within(p, radius + outline); });
        Paint(fill, [&](Point p) { return within(p, radius); });
    }

    // A filled ellipse inside the box, with an outline.
    void Ellipse(Point topLeft, Point bottomRight, Colour fill, Colour edge, double outline)
    {
        const double cx = (topLeft.x + bottomRight.x) / 2, cy = (topLeft.y + bottomRight.y) / 2;
        const double rx = (bottomRight.x - topLeft.x) / 2, ry = (bottomRight.y - topLeft.y) / 2;
        auto within = [&](Point p, double shrink) {
            const double dx = (p.x - cx) / (rx - shrink), dy = (p.y - cy) / (ry - shrink);
            return rx > shrink && ry > shrink && dx * dx + dy * dy <= 1;
        };
        Paint(edge, [&](Point p) { return within(p, 0); });
        Paint(fill, [&](Point p) { return within(p, outline); });
    }

    IconPixels Result() const
    {
        IconPixels out;
        out.Size = size_;
        out.Argb.resize(static_cast<std::size_t>(size_) * size_);
        for (std::size_t i = 0; i < out.Argb.size(); ++i) {
            const double a = rgba_[i * 4 + 3];
            auto channel = [&](int c) {
                double v = a > 0 ? rgba_[i * 4 + c] / a : 0;
                return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            const auto alpha = static_cast<std::uint32_t>(std::lround(std::clamp(a * 255.0, 0.0, 255.0)));
            out.Argb[i] = alpha == 0 ? 0 : (alpha << 24) | (channel(0) << 16) | (channel(1) << 8) | channel(2);
        }
        return out;
    }

private:
    template <typename Covers>
    void Paint(Colour colour, Covers covers)
    {
        const double unit = kGrid / size_;
        for (int y = 0; y < size_; ++y) {
            for (int x = 0; x < size_; ++x) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        if (covers(Point{(x + (sx + 0.5) / kSamples) * unit, (y + (sy + 0.5) / kSamples) * unit}))
                            ++hits;
                if (hits == 0) continue;
                const double cover = static_cast<double>(hits) / (kSamples * kSamples);
                double* px = &rgba_[(static_cast<std::size_t>(y) * size_ + x) * 4];
                // Premultiplied "over".
                px[0] = colour.r * cover + px[0] * (1 - cover);
                px[1] = colour.g * cover + px[1] * (1 - cover);
                px[2] = colour.b * cover + px[2] * (1 - cover);
                px[3] = cover + px[3] * (1 - cover);
            }
        }
    }

    int size_;
    std::vector<double> rgba_; // premultiplied r, g, b (0..255) and alpha (0..1)
};

const Colour kArrowFill{40, 110, 220}, kArrowEdge{10, 45, 120};
const Colour kCrossFill{225, 45, 40}, kCrossEdge{120, 15, 10};
const Colour kPlusFill{40, 170, 60}, kPlusEdge{10, 85, 25};
const Colour kBarFill{150, 150, 160}, kBarEdge{70, 70, 80};
const Colour kPageFill{255, 255, 255}, kPageEdge{90, 90, 110};

std::vector<Point> UpArrow()
{
    return {{8, 1}, {15, 8.5}, {10.75, 8.5}, {10.75, 15}, {5.25, 15}, {5.25, 8.5}, {1, 8.5}};
}

std::vector<Point> Mirrored(std::vector<Point> poly)
{
    for (Point& p : poly) p.y = kGrid - p.y;
    return poly;
}

const Colour kGoFill{40, 150, 60}, kGoEdge{10, 75, 20};
const Colour kFolderLine{176, 128, 32}, kFolderBack{232, 184, 72}, kFolderFront{248, 208, 96}, kFolderFlap{255, 230, 150};
const Colour kDriveBody{208, 208, 208}, kDriveEdge{96, 96, 96}, kDark{64, 64, 64}, kLed{40, 176, 40};

// A box from (left, top) to (right, bottom) on the grid, with a one-unit outline.
void Box(Canvas& canvas, double left, double top, double right, double bottom, Colour fill, Colour edge)
{
    canvas.Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, fill, edge, 1);
}

void DriveBody(Canvas& canvas, Colour led)
{
    Box(canvas, 1, 5, 15, 12, kDriveBody, kDriveEdge);
    Box(canvas, 11, 8, 13, 10, led, led);
}
const Colour kFolderFill{240, 200, 90}, kFolderEdge{130, 95, 20};

// A sheet of paper with two lines of text, its top left corner at (x, y).
void Sheet(Canvas& canvas, double x, double y)
{
    canvas.Polygon({{x, y}, {x + 6.5, y}, {x + 6.5, y + 9}, {x, y + 9}}, kPageFill, kPageEdge, 0.8);
    for (double line : {y + 3, y + 5.5}) canvas.Stroke({x + 2, line}, {x + 4.5, line}, 0.4, kBarFill, kBarFill, 0);
}

// An arrow to the right whose tip is at (tipX, 8).
void RightArrow(Canvas& canvas, double tipX)
{
    canvas.Polygon({{tipX, 8}, {tipX - 4.5, 3.5}, {tipX - 4.5, 6}, {tipX - 8, 6}, {tipX - 8, 10}, {tipX - 4.5, 10},
                    {tipX - 4.5, 12.5}},
                   kGoFill, kGoEdge, 0.9);
}

// The take-out cross over the lower right.
void LowerRightCross(Canvas& canvas)
{
    canvas.Strokes({{{8.5, 8.5}, {13, 13}}, {{13, 8.5}, {8.5, 13}}}, 1.1, kCrossFill, kCrossEdge, 0.8);
}

} // namespace

IconPixels RenderButtonIcon(ButtonIcon kind, int sizePx)
{
    Canvas canvas(std::max(sizePx, 8));
    const double outline = 1.0;
    switch (kind) {
        case ButtonIcon::Up: canvas.Polygon(UpArrow(), kArrowFill, kArrowEdge, outline); break;
        case ButtonIcon::Down: canvas.Polygon(Mirrored(UpArrow()), kArrowFill, kArrowEdge, outline); break;
        case ButtonIcon::Delete:
            canvas.Strokes({{{3.5, 3.5}, {12.5, 12.5}}, {{12.5, 3.5}, {3.5, 12.5}}}, 1.6, kCrossFill, kCrossEdge,
                           outline);
            break;
        case ButtonIcon::DeleteAll:
            // A list of three rows with the cross over its lower right: the whole list goes.
            for (double y : {2.5, 6.5, 10.5}) canvas.Stroke({1.5, y}, {14.5, y}, 0.9, kBarFill, kBarEdge, 0.7);
            canvas.Strokes({{{7.5, 7.5}, {13.2, 13.2}}, {{13.2, 7.5}, {7.5, 13.2}}}, 1.3, kCrossFill, kCrossEdge, outline);
            break;
        case ButtonIcon::Add:
            canvas.Strokes({{{8, 2.5}, {8, 13.5}}, {{2.5, 8}, {13.5, 8}}}, 1.8, kPlusFill, kPlusEdge, outline);
            break;
        case ButtonIcon::TakeOutSelected:
            Sheet(canvas, 2.5, 1.5);
            LowerRightCross(canvas);
            break;
        case ButtonIcon::TakeOutAll:
            Sheet(canvas, 1.25, 1);
            Sheet(canvas, 4.25, 3.75);
            LowerRightCross(canvas);
            break;
        case ButtonIcon::AddSelected:
            Sheet(canvas, 0.75, 3.5);
            RightArrow(canvas, 15.5);
            break;
        case ButtonIcon::AddAll:
            Sheet(canvas, 0.5, 1.5);
            Sheet(canvas, 3, 5.25);
            RightArrow(canvas, 15.5);
            break;
        case ButtonIcon::AddSubfolders:
            canvas.Polygon({{0.5, 3}, {3.5, 3}, {4.5, 4.5}, {8.5, 4.5}, {8.5, 11}, {0.5, 11}}, kFolderFill, kFolderEdge, 0.8);
            Sheet(canvas, 3.5, 6.5);
            RightArrow(canvas, 15.5);
            break;
    }
    return canvas.Result();
}

IconPixels RenderListIcon(ListIcon kind, int sizePx)
{
    Canvas canvas(std::max(sizePx, 8));
    switch (kind) {
        case ListIcon::File:
            canvas.Polygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kPageFill, Colour{112, 112, 128}, 1);
            canvas.Polygon({{10, 1}, {10, 4}, {13, 4}}, Colour{220, 220, 230}, Colour{112, 112, 128}, 0.8);
            for (double y : {7.5, 9.5, 11.5}) canvas.Stroke({5.5, y}, {10.5, y}, 0.4, Colour{112, 112, 128}, kPageFill, 0);
            break;
        case ListIcon::ClosedFolder:
            Box(canvas, 1, 2, 7, 5, kFolderBack, kFolderLine);
            Box(canvas, 1, 4, 15, 14, kFolderFront, kFolderLine);
            break;
        case ListIcon::OpenFolder:
            Box(canvas, 1, 2, 7, 5, kFolderBack, kFolderLine);
            Box(canvas, 1, 4, 14, 14, kFolderBack, kFolderLine);
            canvas.Polygon({{4, 7}, {16, 7}, {13, 14}, {1, 14}}, kFolderFlap, kFolderLine, 1);
            break;
        case ListIcon::FixedDrive: DriveBody(canvas, kLed); break;
        case ListIcon::RemovableDrive:
            DriveBody(canvas, kLed);
            Box(canvas, 3, 7, 9, 9, kDark, kDark);
            break;
        case ListIcon::OpticalDrive:
            canvas.Ellipse({1, 1}, {15, 15}, Colour{216, 220, 236}, Colour{96, 96, 112}, 1);
            canvas.Ellipse({6, 6}, {10, 10}, Colour{255, 255, 255}, Colour{96, 96, 112}, 1);
            break;
        case ListIcon::RemoteDrive:
            Box(canvas, 1, 1, 15, 8, kDriveBody, kDriveEdge);
            Box(canvas, 11, 4, 13, 6, kLed, kLed);
            Box(canvas, 7, 8, 9, 13, kDark, kDark);
            Box(canvas, 1, 12, 15, 14, kDark, kDark);
            break;
        case ListIcon::UnknownDrive: DriveBody(canvas, Colour{160, 160, 160}); break;
    }
    return canvas.Result();
}

IconPixels Greyed(IconPixels pixels)
{
    for (std::uint32_t& p : pixels.Argb) {
        const std::uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const std::uint32_t grey = 160 + (r * 3 + g * 6 + b) / 10 / 3;
        p = (p & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
    }
    return pixels;
}

IconPixels RenderProgramPicture(int sizePx)
{
    Canvas canvas(std::max(sizePx, 8));
    // A page with a folded corner, two lines of text, and an arrow turning its tail: a file whose
    // extension changes.
    canvas.Polygon({{2.5, 0.75}, {10, 0.75}, {13.5, 4.25}, {13.5, 15.25}, {2.5, 15.25}}, kPageFill, kPageEdge, 0.6);
    canvas.Polygon({{10, 0.75}, {10, 4.25}, {13.5, 4.25}}, Colour{220, 220, 230}, kPageEdge, 0.5);
    for (double y : {4.0, 6.5}) canvas.Stroke({4.5, y}, {8.5, y}, 0.45, kBarFill, kBarFill, 0);
    canvas.Polygon({{4, 9}, {10, 9}, {10, 7}, {15, 11}, {10, 15}, {10, 13}, {4, 13}}, kArrowFill, kArrowEdge, 0.7);
    return canvas.Result();
}

HICON MakeIcon(const IconPixels& pixels)
{
    const int size = pixels.Size;
    if (size <= 0 || pixels.Argb.size() != static_cast<std::size_t>(size) * size) return nullptr;

    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = size;
    header.bV5Height = -size; // rows from the top, as the pixels are
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const GdiObject colour(CreateDIBSection(WindowDc(nullptr).get(), reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour || !bits) return nullptr;
    std::copy(pixels.Argb.begin(), pixels.Argb.end(), static_cast<std::uint32_t*>(bits));

    // Mask: set (transparent) where the drawing is less than half covered; rows padded to 16 bits.
    const int stride = ((size + 15) / 16) * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (pixels.Alpha(x, y) < 128) maskBits[static_cast<std::size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
    const GdiObject mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!mask) return nullptr;
    // The icon keeps copies of both bitmaps.
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = static_cast<HBITMAP>(colour.get());
    info.hbmMask = static_cast<HBITMAP>(mask.get());
    return CreateIconIndirect(&info);
}

HICON MakeButtonIcon(ButtonIcon kind, int sizePx)
{
    return MakeIcon(RenderButtonIcon(kind, sizePx));
}

int ButtonIconSize(int buttonHeightPx)
{
    // Room for the button's edge and focus rectangle around the picture.
    return std::max(8, buttonHeightPx - 8);
}

void FitButtonIcon(HWND button, ButtonIcon kind)
{
    RECT rc{};
    if (!button || !GetClientRect(button, &rc)) return;
    SetButtonIcon(button, kind, ButtonIconSize(std::min<int>(rc.right, rc.bottom)));
}

namespace {

// The process's icons by what they show, kept until it ends: a button or a list may use one any time.
template <class Key>
class SharedIcons {
public:
    template <class Make>
    HICON Get(const Key& key, Make make)
    {
        IconHandle& icon = icons_[key];
        if (!icon) icon.reset(make());
        return icon.get();
    }

private:
    std::map<Key, IconHandle> icons_;
};

} // namespace

void SetButtonIcon(HWND button, ButtonIcon kind, int sizePx)
{
    static SharedIcons<std::pair<ButtonIcon, int>> shared;
    if (!button) return;
    HICON icon = shared.Get({kind, sizePx}, [&] { return MakeButtonIcon(kind, sizePx); });
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void DrawListIcon(HDC dc, int x, int y, ListIcon kind, int sizePx, bool enabled)
{
    static SharedIcons<std::tuple<ListIcon, int, bool>> shared;
    HICON icon = shared.Get({kind, sizePx, enabled}, [&] {
        IconPixels pixels = RenderListIcon(kind, sizePx);
        return MakeIcon(enabled ? pixels : Greyed(std::move(pixels)));
    });
    if (icon) DrawIconEx(dc, x, y, icon, sizePx, sizePx, 0, nullptr, DI_NORMAL);
}

} // namespace tavlo
