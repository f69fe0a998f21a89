// Paints the background picture in layers: ground, road, pond and field; then trees, rocks
// and buildings from back to front; then a colour grade that keeps the field dark and calm;
// last the interface panel. Light comes from the top left, so shadows fall to the bottom
// right. Details are at least two pixels wide so they survive the game's enlargement
// without smoothing, and the whole scene stays muted under the circles and the gauges.
#include "tools/assetgen/Background.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tools/assetgen/Random.h"

namespace assetgen {

namespace {

constexpr int W = BackgroundWidth;
constexpr int H = BackgroundHeight;
constexpr int FieldBottom = 330;  // the scene ends here; the panel fills the rest

// --- geometry helpers ------------------------------------------------------------------------

// Squared distance, in 1/16 pixel squared, from (x, y) to the segment a-b.
long long SegmentDist2(Pt p, Pt a, Pt b)
{
    const long long vx = b.x - a.x, vy = b.y - a.y;
    const long long len2 = vx * vx + vy * vy;
    long long t = len2 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) * 256 / len2 : 0;
    t = std::clamp<long long>(t, 0, 256);
    const long long cx = a.x * 256LL + t * vx, cy = a.y * 256LL + t * vy;
    const long long dx = (p.x * 256LL - cx) / 16, dy = (p.y * 256LL - cy) / 16;
    return dx * dx + dy * dy;
}

// Distance in pixels (rounded down) from p to a polyline.
int PolylineDist(Pt p, const std::vector<Pt>& line)
{
    long long best = -1;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const long long d = SegmentDist2(p, line[i], line[i + 1]);
        if (best < 0 || d < best)
            best = d;
    }
    long long r = 0;  // integer square root, then back from 1/16 pixel
    while ((r + 1) * (r + 1) <= best)
        ++r;
    return static_cast<int>(r / 16);
}

void BlendPolygon(Canvas& c, const std::vector<Pt>& poly, Rgb colour, int alpha)
{
    ForEachInPolygon(poly, [&](int x, int y) { c.Blend(x, y, colour, alpha); });
}

void BlendEllipse(Canvas& c, int cx, int cy, int rx, int ry, Rgb colour, int alpha)
{
    ForEachInEllipse2(2 * cx, 2 * cy, 2 * rx, 2 * ry, [&](int x, int y) { c.Blend(x, y, colour, alpha); });
}

// --- the layout of the map -------------------------------------------------------------------

const std::vector<Pt> Road = {{-10, 292}, {50, 272},  {120, 254}, {190, 234}, {250, 212}, {300, 194},
                              {350, 178}, {410, 152}, {470, 120}, {530, 94},  {560, 86}};
const std::vector<Pt> Lane = {{318, 188}, {338, 228}, {366, 270}, {384, 340}};
const std::vector<Pt> Field = {{404, 236}, {500, 220}, {524, 296}, {424, 312}};
constexpr Pt Pond{80, 168};
constexpr int PondRx = 50, PondRy = 28;

// How far inside the pond a point is: below 256 is water, up to about 300 its muddy shore.
int PondDepth(int x, int y)
{
    const long long dx = x - Pond.x, dy = y - Pond.y;
    const int q = static_cast<int>(dx * dx * 256 / (PondRx * PondRx) + dy * dy * 256 / (PondRy * PondRy));
    return q + (FractalNoise(x, y, 16, 2, 31) - 128) / 2;
}

bool InsideField(int x, int y)
{
    return PixelInPolygon(Field, x, y);
}

// --- ground ----------------------------------------------------------------------------------

Rgb GroundAt(int x, int y)
{
    const int fy = y * 4 / 3;  // ground features are wider than tall: the view is at an angle
    const int broad = std::clamp((FractalNoise(x, fy, 96, 3, 11) - 70) * 256 / 120, 0, 256);
    Rgb c = Mix({44, 58, 37}, {84, 96, 56}, broad);
    c = Shade(c, (FractalNoise(x, fy, 12, 2, 12) - 128) / 7);
    // Tufts of grass, two pixels wide.
    const int tuft = Hash2(x / 2, y / 2, 13);
    if (tuft < 22)
        c = Shade(c, -12);
    else if (tuft > 238)
        c = Shade(c, 10);
    // Bare earth in patches.
    const int earth = FractalNoise(x, fy, 64, 3, 14);
    if (earth > 150) {
        const Rgb soil = Shade({90, 78, 58}, (Hash2(x / 2, y / 2, 15) - 128) / 12);
        c = Mix(c, soil, std::min(190, (earth - 150) * 8));
    }
    return c;
}

Rgb RoadAt(int x, int y, int dist, Rgb ground, int halfWidth)
{
    Rgb dust = Shade({108, 94, 70}, (FractalNoise(x, y, 8, 2, 21) - 128) / 6);
    if (std::abs(dist - halfWidth / 2) <= 1)
        dust = Shade(dust, -16);  // wheel ruts
    if (Hash2(x / 2, y / 2, 22) > 244)
        dust = Shade(dust, 18);         // pebbles
    const int edge = halfWidth - dist;  // soft verge
    return edge >= 2 ? dust : Mix(ground, dust, 110 + 70 * edge);
}

Rgb PondAt(int x, int y, int depth, Rgb ground)
{
    if (depth >= 256) {  // muddy shore
        const Rgb mud = Shade({74, 66, 50}, (Hash2(x / 2, y / 2, 32) - 128) / 14);
        return Mix(mud, ground, std::clamp((depth - 256) * 6, 0, 256));
    }
    Rgb water = Mix({24, 42, 56}, {44, 70, 78}, depth);
    // Ripples: short light strokes, three pixels long and two high.
    if (Hash2(x / 5, y / 2, 33) > 236 && x % 5 < 3)
        water = Shade(water, 22);
    return water;
}

Rgb FieldAt(int x, int y, Rgb ground)
{
    // Furrows run along the field's long edge: a stripe every four pixels across them.
    const int across = (14 * x + 100 * y) / 101;
    const bool furrow = FloorDiv(across, 2) % 2 == 0;
    Rgb c = furrow ? Rgb{72, 62, 44} : Rgb{102, 96, 58};
    c = Shade(c, (FractalNoise(x, y, 16, 2, 41) - 128) / 8);
    return Mix(ground, c, 230);
}

void PaintGround(Canvas& c)
{
    for (int y = 0; y < FieldBottom; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb ground = GroundAt(x, y);
            Rgb px = ground;
            const int depth = PondDepth(x, y);
            const int road = PolylineDist({x, y}, Road);
            const int lane = PolylineDist({x, y}, Lane);
            const int wobble = (FractalNoise(x, y, 10, 1, 23) - 128) / 64;  // -2..1
            if (InsideField(x, y))
                px = FieldAt(x, y, ground);
            if (road <= 8 + wobble)
                px = RoadAt(x, y, road, px, 8 + wobble);
            else if (lane <= 5 + wobble)
                px = RoadAt(x, y, lane, px, 5 + wobble);
            if (depth < 300)
                px = PondAt(x, y, depth, px);
            c.Set(x, y, px);
        }
}

// --- things standing on the ground -------------------------------------------------------------

struct Prop {
    int baseY;  // drawn from the back (small y) to the front
    std::function<void(Canvas&)> draw;
};

void DrawShadowBlob(Canvas& c, int cx, int cy, int rx, int ry)
{
    BlendEllipse(c, cx, cy, rx, ry, {8, 12, 8}, 120);
}

// A broadleaf tree: a clump of lit blobs. Each blob is brighter to the top left.
void DrawTree(Canvas& c, int cx, int cy, int r, std::uint32_t seed, Rgb leaf)
{
    DrawShadowBlob(c, cx + r / 2 + 3, cy + r / 3 + 2, r + 1, r * 2 / 3);
    c.FillRect(cx - 1, cy, cx + 1, cy + 4, {54, 40, 28});
    Rng rng(seed);
    const int blobs = 4 + static_cast<int>(seed % 3);
    for (int i = 0; i < blobs; ++i) {
        const int bx = cx + rng.Range(-r / 2, r / 2), by = cy - r / 2 + rng.Range(-r / 2, r / 3);
        const int br = r * rng.Range(55, 75) / 100;
        ForEachInEllipse2(2 * bx, 2 * by, 2 * br, 2 * br, [&](int x, int y) {
            const int lit = -((x - bx) + (y - by)) * 34 / std::max(1, br);
            const int leaves = (Hash2(x / 2, y / 2, seed) - 128) / 10;
            c.Set(x, y, Shade(leaf, lit + leaves));
        });
    }
}

// A fir: three stacked tiers, the left side lit.
void DrawFir(Canvas& c, int cx, int cy, int h, Rgb needles)
{
    DrawShadowBlob(c, cx + h / 3 + 2, cy + 1, h / 2, h / 5 + 1);
    c.FillRect(cx - 1, cy - 2, cx + 1, cy + 2, {50, 38, 26});
    for (int tier = 0; tier < 3; ++tier) {
        const int top = cy - h + tier * h / 4, bottom = cy - 1 - (2 - tier) * h / 6;
        const int half = h / 4 + tier * h / 10;
        ForEachInPolygon({{cx, top}, {cx + half, bottom}, {cx - half, bottom}}, [&](int x, int y) {
            const int lit = x < cx ? 16 : (x == cx ? 4 : -10);
            c.Set(x, y, Shade(needles, lit + (Hash2(x / 2, y / 2, 51) - 128) / 12 - tier * 3));
        });
    }
}

void DrawBoulder(Canvas& c, int cx, int cy, int rx, int ry, Rgb stone)
{
    DrawShadowBlob(c, cx + rx / 2 + 2, cy + ry / 2 + 1, rx, ry * 2 / 3 + 1);
    ForEachInEllipse2(2 * cx, 2 * cy, 2 * rx, 2 * ry, [&](int x, int y) {
        const int lit = -((x - cx) * 30 / rx + (y - cy) * 30 / ry);
        const int grain = (Hash2(x / 2, y / 2, 61) - 128) / 12;
        c.Set(x, y, Shade(stone, lit + grain));
    });
}

struct Building {
    int x0, x1;  // wall from x0 to x1 - 1
    int base;    // the wall stands on this row
    int wallH;   // height of the front wall
    int roofH;   // height of the roof's near slope; the far slope shows half as much
    Rgb wall, roof;
    bool timbered;  // a house of plaster and beams with a chimney, else a stone hall
};

void DrawBuilding(Canvas& c, const Building& b)
{
    const int eave = b.base - b.wallH, ridge = eave - b.roofH, top = ridge - b.roofH / 2;
    // Shadow cast to the bottom right.
    BlendPolygon(
        c, {{b.x1, top + 2}, {b.x1 + 12, top + 10}, {b.x1 + 12, b.base + 6}, {b.x0 + 10, b.base + 6}, {b.x0, b.base}},
        {8, 12, 8}, 120);
    // Front wall: timber frame or stone courses.
    for (int y = eave; y < b.base; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            Rgb w = Shade(b.wall, (Hash2(x / 2, y / 2, 71) - 128) / 16);
            if (b.timbered) {
                const bool beam = x - b.x0 < 2 || b.x1 - x <= 2 || std::abs(x - (b.x0 + b.x1) / 2) < 1 || y - eave < 2;
                if (beam)
                    w = {60, 46, 34};
            } else {
                const int course = (y - eave) / 4;
                const bool joint = (y - eave) % 4 == 3 || (x + course * 3) % 7 == 0;
                if (joint)
                    w = Shade(w, -22);
            }
            c.Set(x, y, w);
        }
    // Door and windows with a dim light inside.
    const int mid = (b.x0 + b.x1) / 2;
    c.FillRect(mid - 2, b.base - 8, mid + 3, b.base, {34, 26, 20});
    c.FillRect(mid - 2, b.base - 8, mid + 3, b.base - 7, {70, 54, 38});
    if (b.wallH >= 12)
        for (int wx : {b.x0 + 4, b.x1 - 9}) {
            c.FillRect(wx, eave + 4, wx + 5, eave + 9, {36, 30, 26});
            c.FillRect(wx + 1, eave + 5, wx + 4, eave + 8, {118, 96, 54});
        }
    // Roof: the far slope catches the light, the near slope is darker; tiles in rows.
    for (int y = top; y <= eave; ++y)
        for (int x = b.x0 - 2; x < b.x1 + 2; ++x) {
            const bool far = y < ridge;
            Rgb r = far ? Shade(b.roof, 18) : b.roof;
            const int row = far ? ridge - y : y - ridge;
            if (row % 3 == 2)
                r = Shade(r, -16);
            if ((x + (row / 3) * 2) % 5 == 0 && row % 3 != 2)
                r = Shade(r, -8);
            if (y == ridge || y == ridge - 1)
                r = Shade(b.roof, 34);
            if (x == b.x0 - 2)
                r = Shade(r, 12);
            if (x == b.x1 + 1 || y == eave)
                r = Shade(r, -28);
            c.Set(x, y, r);
        }
    if (b.timbered) {  // a stone chimney standing on the far slope
        const int cx = b.x1 - 9;
        c.FillRect(cx, ridge - 7, cx + 4, ridge + 1, {96, 90, 82});
        c.FillRect(cx, ridge - 7, cx + 1, ridge + 1, {120, 114, 104});
        c.FillRect(cx, ridge - 8, cx + 4, ridge - 6, {60, 56, 52});
    }
}

// A small soldier of one side: shadow, legs, tunic in the side's colour, head and spear.
void DrawSoldier(Canvas& c, int x, int y, Rgb side)
{
    BlendEllipse(c, x + 2, y, 4, 2, {8, 12, 8}, 110);
    c.FillRect(x - 2, y - 3, x, y, {40, 34, 30});
    c.FillRect(x + 1, y - 3, x + 3, y, {40, 34, 30});
    c.FillRect(x - 2, y - 8, x + 3, y - 3, side);
    c.FillRect(x - 2, y - 8, x, y - 3, Shade(side, 24));
    c.FillRect(x - 1, y - 11, x + 2, y - 8, {160, 128, 100});
    c.FillRect(x + 3, y - 14, x + 4, y - 1, {150, 146, 136});
}

// A stone tower with a pointed roof.
void DrawTower(Canvas& c, int x0, int x1, int base, int height, Rgb stone, Rgb roof)
{
    const int topY = base - height, mid = (x0 + x1) / 2;
    BlendPolygon(c, {{x1, topY}, {x1 + 18, topY + 10}, {x1 + 18, base + 6}, {x0 + 8, base + 6}, {x0, base}}, {8, 12, 8},
                 120);
    for (int y = topY; y < base; ++y)
        for (int x = x0; x < x1; ++x) {
            const int course = (y - topY) / 4;
            Rgb s = Shade(stone, (x - x0) < (x1 - x0) / 3 ? 12 : ((x1 - x) <= 2 ? -18 : 0));
            if ((y - topY) % 4 == 3 || (x + course * 3) % 6 == 0)
                s = Shade(s, -20);
            c.Set(x, y, s);
        }
    c.FillRect(mid - 1, topY + 6, mid + 1, topY + 11, {30, 24, 20});  // arrow slit
    const int roofH = (x1 - x0) * 3 / 2;
    ForEachInPolygon({{mid, topY - roofH}, {x1 + 2, topY + 1}, {x0 - 2, topY + 1}}, [&](int x, int y) {
        Rgb r = x < mid ? Shade(roof, 16) : Shade(roof, -10);
        if ((y - topY) % 3 == 0)
            r = Shade(r, -12);
        c.Set(x, y, r);
    });
}

// A windmill: round body, cap and four lattice sails on the diagonals.
void DrawWindmill(Canvas& c, int cx, int base)
{
    const Rgb body{134, 120, 96}, cap{92, 60, 48}, sail{150, 140, 118};
    BlendPolygon(c, {{cx + 6, base - 26}, {cx + 24, base - 10}, {cx + 24, base + 5}, {cx + 2, base + 5}}, {8, 12, 8},
                 120);
    for (int y = base - 24; y < base; ++y)
        for (int x = cx - 7; x < cx + 7; ++x)
            c.Set(x, y, Shade(body, (cx - x) * 3 - ((y % 4 == 3) ? 12 : 0)));
    c.FillRect(cx - 2, base - 7, cx + 2, base, {40, 30, 24});
    ForEachInEllipse2(2 * cx, 2 * (base - 25), 18, 10, [&](int x, int y) { c.Set(x, y, Shade(cap, (cx - x) * 3)); });
    const Pt hub{cx, base - 26};
    for (int dir = 0; dir < 4; ++dir) {
        const int sx = (dir == 0 || dir == 3) ? 1 : -1, sy = dir < 2 ? -1 : 1;
        for (int t = 2; t < 17; ++t)
            for (int w = 0; w < 4; ++w) {
                const int x = hub.x + sx * t + (w % 2) * sx, y = hub.y + sy * t - (w / 2) * sy;
                const bool lattice = t % 3 == 0 || w == 0;
                c.Set(x, y, lattice ? Shade(sail, -40) : sail);
            }
    }
    c.FillRect(hub.x - 1, hub.y - 1, hub.x + 2, hub.y + 2, {50, 40, 30});
}

void DrawWell(Canvas& c, int cx, int cy)
{
    DrawShadowBlob(c, cx + 3, cy + 2, 6, 4);
    ForEachInEllipse2(2 * cx, 2 * cy, 12, 8, [&](int x, int y) {
        c.Set(x, y, Shade({120, 114, 104}, (cx - x) * 2 + (cy - y) * 3));
    });
    ForEachInEllipse2(2 * cx, 2 * cy - 1, 7, 4, [&](int x, int y) { c.Set(x, y, {20, 30, 36}); });
}

// A low fence of posts and a rail, two pixels thick.
void DrawFence(Canvas& c, Pt a, Pt b)
{
    const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    for (int i = 0; i <= steps; ++i) {
        const int x = a.x + (b.x - a.x) * i / steps, y = a.y + (b.y - a.y) * i / steps;
        c.FillRect(x, y, x + 2, y + 2, {84, 66, 46});
        if (i % 8 == 0)
            c.FillRect(x, y - 3, x + 2, y + 2, {70, 54, 38});
    }
}

bool NearBuildings(int x, int y)
{
    const std::vector<std::pair<Pt, Pt>> lots = {
        {{256, 92}, {356, 172}},  {{206, 196}, {272, 248}}, {{340, 186}, {402, 228}}, {{378, 112}, {430, 158}},
        {{160, 170}, {196, 218}}, {{476, 168}, {524, 226}}, {{296, 196}, {330, 222}}};
    for (const auto& [lo, hi] : lots)
        if (x >= lo.x && x < hi.x && y >= lo.y && y < hi.y)
            return true;
    return false;
}

// How likely a tree is at a place, 0..256: woods in the top left and along the top right,
// copses elsewhere, and none on the road, the pond, the field or by the houses.
int TreeChance(int x, int y)
{
    if (y > FieldBottom - 8 || PolylineDist({x, y}, Road) < 14 || PolylineDist({x, y}, Lane) < 10 ||
        PondDepth(x, y) < 330 || InsideField(x, y) || InsideField(x + 8, y) || InsideField(x, y - 6) ||
        NearBuildings(x, y))
        return 0;
    int chance = (FractalNoise(x, y, 70, 2, 81) - 110) * 3;
    if (x + y * 2 < 300)
        chance += 200;  // the wood in the top left
    if (x > 470 && y < 80)
        chance += 160;  // trees behind the score
    if (x > 230 && x < 460 && y > 110 && y < 240)
        chance -= 160;  // the village clearing
    return std::clamp(chance, 0, 256);
}

std::vector<Prop> CollectProps()
{
    std::vector<Prop> props;
    // Trees on a jittered grid.
    for (int gy = -4; gy < FieldBottom; gy += 11)
        for (int gx = -4; gx < W + 8; gx += 13) {
            const std::uint32_t seed = static_cast<std::uint32_t>((gx + 16) * 1009 + (gy + 16) * 7);
            Rng rng(seed);
            const int x = gx + rng.Range(0, 9), y = gy + rng.Range(0, 8);
            if (rng.Range(0, 255) >= TreeChance(x, y))
                continue;
            const bool fir = rng.Range(0, 99) < (x + y < 260 ? 55 : 25);
            const int size = rng.Range(7, 11);
            const int tint = rng.Range(-8, 8);
            if (fir)
                props.push_back({y, [=](Canvas& c) { DrawFir(c, x, y, size * 2, Shade({30, 58, 42}, tint)); }});
            else
                props.push_back({y, [=](Canvas& c) { DrawTree(c, x, y, size, seed, Shade({50, 76, 38}, tint)); }});
        }
    // Rocks: an outcrop in the wood, a few by the road and the field.
    const std::vector<std::array<int, 4>> rocks = {
        {214, 72, 9, 6},  {226, 80, 6, 5},  {206, 84, 5, 4},  {236, 70, 4, 3},  {150, 286, 7, 5}, {160, 292, 4, 3},
        {286, 300, 6, 4}, {512, 158, 8, 5}, {522, 166, 5, 4}, {132, 126, 5, 4}, {444, 196, 4, 3}, {30, 226, 6, 4}};
    for (const auto& r : rocks)
        props.push_back({r[1], [=](Canvas& c) { DrawBoulder(c, r[0], r[1], r[2], r[3], {98, 96, 90}); }});
    // The village: a hall with its tower, houses, a watchtower, a well, a windmill by the field.
    const Rgb plaster{150, 136, 108}, stone{118, 112, 100}, redRoof{110, 58, 44}, slate{72, 76, 86},
        thatch{124, 104, 62};
    props.push_back({160, [=](Canvas& c) { DrawBuilding(c, {266, 328, 160, 20, 16, stone, slate, false}); }});
    props.push_back({164, [=](Canvas& c) { DrawTower(c, 326, 342, 164, 44, stone, slate); }});
    props.push_back({242, [=](Canvas& c) { DrawBuilding(c, {214, 252, 242, 16, 12, plaster, redRoof, true}); }});
    props.push_back({224, [=](Canvas& c) { DrawBuilding(c, {348, 388, 224, 16, 12, plaster, thatch, true}); }});
    props.push_back({150, [=](Canvas& c) { DrawBuilding(c, {384, 416, 150, 14, 10, plaster, redRoof, true}); }});
    // Our soldiers before the hall; a rival's band coming down the road from the top right.
    const Rgb ours{56, 82, 140}, theirs{140, 52, 44};
    for (const Pt at : {Pt{292, 180}, Pt{303, 184}, Pt{314, 179}, Pt{284, 186}})
        props.push_back({at.y, [=](Canvas& c) { DrawSoldier(c, at.x, at.y, ours); }});
    for (const Pt at : {Pt{452, 128}, Pt{463, 124}, Pt{458, 136}, Pt{474, 118}, Pt{486, 112}})
        props.push_back({at.y, [=](Canvas& c) { DrawSoldier(c, at.x, at.y, theirs); }});
    props.push_back({212, [=](Canvas& c) { DrawTower(c, 170, 182, 212, 30, stone, redRoof); }});
    props.push_back({208, [=](Canvas& c) { DrawWell(c, 314, 208); }});
    props.push_back({212, [=](Canvas& c) { DrawWindmill(c, 498, 212); }});
    props.push_back({320, [=](Canvas& c) { DrawFence(c, {404, 318}, {530, 300}); }});
    props.push_back({230, [=](Canvas& c) { DrawFence(c, {396, 232}, {500, 214}); }});
    std::stable_sort(props.begin(), props.end(), [](const Prop& a, const Prop& b) { return a.baseY < b.baseY; });
    return props;
}

// Mutes the scene: less colour, darker towards the corners, so that the white circles, the
// gauges and the score stand out.
void GradeScene(Canvas& c)
{
    for (int y = 0; y < FieldBottom; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb p = c.RgbAt(x, y);
            const int l = Luma(p);
            Rgb q = Mix(p, {l, l, l}, 40);
            const long long dx = x - W / 2, dy = y - FieldBottom / 2;
            const int edge =
                static_cast<int>((dx * dx * 256 / (W * W / 4) + dy * dy * 256 / (FieldBottom * FieldBottom / 4)) / 2);
            q = Scale(q, 256 - std::min(56, edge * 56 / 256));
            c.Set(x, y, q);
        }
}

// --- the interface panel -------------------------------------------------------------------------

const Rgb Bronze{62, 52, 42};

void Bevel(Canvas& c, int x0, int y0, int x1, int y1, int width, Rgb light, Rgb dark)
{
    for (int i = 0; i < width; ++i) {
        c.FillRect(x0 + i, y0 + i, x1 - i, y0 + i + 1, light);
        c.FillRect(x0 + i, y0 + i, x0 + i + 1, y1 - i, light);
        c.FillRect(x0 + i, y1 - i - 1, x1 - i, y1 - i, dark);
        c.FillRect(x1 - i - 1, y0 + i, x1 - i, y1 - i, dark);
    }
}

// A frame with a raised bevelled rim around a sunken inside.
void Frame(Canvas& c, int x0, int y0, int x1, int y1, Rgb inside)
{
    Bevel(c, x0, y0, x1, y1, 2, {132, 114, 84}, {30, 24, 20});
    Bevel(c, x0 + 2, y0 + 2, x1 - 2, y1 - 2, 2, {26, 22, 18}, {96, 82, 62});
    c.FillRect(x0 + 4, y0 + 4, x1 - 4, y1 - 4, inside);
}

void PaintPanelBody(Canvas& c)
{
    // The outline of the panel's top: raised at the map and at the command buttons.
    auto topAt = [](int x) {
        if (x < 122)
            return 318;
        if (x < 134)
            return 318 + (x - 122);
        if (x < 380)
            return 330;
        if (x < 388)
            return 330 - (x - 380);
        return 322;
    };
    for (int x = 0; x < W; ++x) {
        const int top = topAt(x);
        for (int y = top; y < H; ++y) {
            Rgb p = Shade(Bronze, (FractalNoise(x, y, 8, 2, 91) - 128) / 6);
            if ((x / 2 + y / 2) % 11 == 0)
                p = Shade(p, -6);  // faint grain
            const int depth = y - top;
            if (depth < 2)
                p = {150, 126, 88};
            else if (depth < 4)
                p = {96, 80, 58};
            else if (depth < 6)
                p = Shade(p, -14);
            c.Set(x, y, p);
        }
        // A dark line under the panel edge: the panel rests over the field.
        c.Blend(x, top - 1, {0, 0, 0}, 150);
        c.Blend(x, top - 2, {0, 0, 0}, 80);
    }
    for (int x = 12; x < W; x += 26) {  // rivets along the top
        const int y = topAt(x) + 7;
        c.FillRect(x, y, x + 2, y + 2, {164, 144, 104});
        c.Set(x + 1, y + 1, {46, 38, 30});
    }
}

// A small copy of the scene, dimmed, with the rectangle of the current view.
void PaintMinimap(Canvas& c)
{
    const int x0 = 8, y0 = 326, x1 = 112, y1 = 408;
    Frame(c, x0, y0, x1, y1, {12, 14, 12});
    const int mw = x1 - x0 - 8, mh = y1 - y0 - 8;
    Canvas scene = c;  // sample the field before the map covers anything
    for (int my = 0; my < mh; ++my)
        for (int mx = 0; mx < mw; ++mx) {
            const int sx = mx * W / mw, sy = my * FieldBottom / mh;
            int r = 0, g = 0, b = 0;
            for (int k = 0; k < 9; ++k) {
                const Rgb p = scene.RgbAt(std::min(W - 1, sx + k % 3 * 2), std::min(FieldBottom - 1, sy + k / 3 * 2));
                r += p.r;
                g += p.g;
                b += p.b;
            }
            c.Set(x0 + 4 + mx, y0 + 4 + my, Scale({r / 9, g / 9, b / 9}, 200));
        }
    const Rgb view{168, 164, 148};
    const int vx0 = x0 + 40, vy0 = y0 + 26, vx1 = vx0 + 34, vy1 = vy0 + 24;
    c.FillRect(vx0, vy0, vx1, vy0 + 1, view);
    c.FillRect(vx0, vy1 - 1, vx1, vy1, view);
    c.FillRect(vx0, vy0, vx0 + 1, vy1, view);
    c.FillRect(vx1 - 1, vy0, vx1, vy1, view);
    // Our town and a rival's camp as coloured dots.
    c.FillRect(x0 + 54, y0 + 36, x0 + 58, y0 + 40, {60, 110, 170});
    c.FillRect(x0 + 86, y0 + 12, x0 + 90, y0 + 16, {170, 60, 50});
}

// The portrait of the chosen unit: a helmeted head against a dim backdrop.
void PaintPortrait(Canvas& c)
{
    const int x0 = 124, y0 = 340, x1 = 184, y1 = 404;
    Frame(c, x0, y0, x1, y1, {22, 26, 30});
    const int cx = (x0 + x1) / 2;
    for (int y = y0 + 4; y < y1 - 4; ++y)  // backdrop: lighter at the top
        for (int x = x0 + 4; x < x1 - 4; ++x)
            c.Set(x, y, Mix({40, 48, 58}, {18, 20, 24}, (y - y0) * 256 / (y1 - y0)));
    ForEachInEllipse2(2 * cx, 2 * (y1 - 8), 44, 24, [&](int x, int y) {  // shoulders
        if (y < y1 - 4)
            c.Set(x, y, Shade({70, 74, 86}, (cx - x) / 2));
    });
    ForEachInEllipse2(2 * cx, 2 * (y0 + 30), 22, 26, [&](int x, int y) {
        c.Set(x, y, Shade({150, 118, 92}, (cx - x)));
    });
    ForEachInEllipse2(2 * cx, 2 * (y0 + 22), 26, 20, [&](int x, int y) {  // helmet
        if (y <= y0 + 26)
            c.Set(x, y, Shade({112, 118, 130}, (cx - x) + (y0 + 22 - y)));
    });
    c.FillRect(cx - 1, y0 + 14, cx + 1, y0 + 34, {84, 88, 98});  // nose guard
    c.FillRect(cx - 7, y0 + 29, cx - 3, y0 + 31, {40, 30, 26});  // eyes
    c.FillRect(cx + 3, y0 + 29, cx + 7, y0 + 31, {40, 30, 26});
    c.FillRect(x0 + 6, y1 - 8, x1 - 6, y1 - 6, {60, 118, 60});  // health bar
}

// The sunken middle: a few lines of text and a bar, too dim and small to read.
void PaintInfo(Canvas& c)
{
    const int x0 = 192, y0 = 344, x1 = 372, y1 = 406;
    Frame(c, x0, y0, x1, y1, {30, 28, 24});
    const Rgb ink{104, 94, 72};
    c.FillRect(x0 + 60, y0 + 10, x0 + 120, y0 + 14, {140, 126, 92});  // a name
    for (int line = 0; line < 3; ++line) {
        const int y = y0 + 22 + line * 9;
        int x = x0 + 14;
        Rng rng(701 + line);
        while (x < x1 - 30) {
            const int word = rng.Range(6, 18);
            c.FillRect(x, y, x + word, y + 2, ink);
            x += word + 4;
        }
    }
    c.FillRect(x0 + 14, y1 - 12, x1 - 14, y1 - 8, {44, 40, 34});
    c.FillRect(x0 + 14, y1 - 12, x0 + 100, y1 - 8, {70, 90, 120});  // progress of some work
}

// Glyphs for the command buttons, drawn in a 16 x 12 box.
void Glyph(Canvas& c, int kind, int x, int y)
{
    const Rgb metal{150, 148, 140}, wood{120, 90, 56}, gold{176, 146, 70}, cloth{140, 56, 46};
    switch (kind) {
    case 0:  // sword
        for (int i = 0; i < 10; ++i)
            c.FillRect(x + 4 + i, y + 8 - i, x + 7 + i, y + 11 - i, metal);
        for (int i = 0; i < 9; ++i)
            c.Set(x + 5 + i, y + 8 - i, Shade(metal, 28));
        c.FillRect(x + 1, y + 7, x + 8, y + 9, gold);
        c.FillRect(x + 1, y + 9, x + 4, y + 12, wood);
        break;
    case 1:  // boot: move
        c.FillRect(x + 4, y, x + 10, y + 8, wood);
        c.FillRect(x + 4, y + 7, x + 15, y + 11, wood);
        c.FillRect(x + 13, y + 8, x + 16, y + 11, wood);
        c.FillRect(x + 4, y, x + 6, y + 11, Shade(wood, 24));
        c.FillRect(x + 4, y + 10, x + 16, y + 12, Shade(wood, -40));
        break;
    case 2:  // shield: stop
        ForEachInPolygon({{x + 3, y}, {x + 13, y}, {x + 13, y + 6}, {x + 8, y + 12}, {x + 3, y + 6}},
                         [&](int px, int py) { c.Set(px, py, px < x + 8 ? cloth : Shade(cloth, -20)); });
        break;
    case 3:  // flag: hold
        c.FillRect(x + 4, y, x + 6, y + 12, wood);
        c.FillRect(x + 6, y + 1, x + 14, y + 6, cloth);
        break;
    case 4:  // two arrows: patrol
        c.FillRect(x + 2, y + 3, x + 12, y + 5, metal);
        c.FillRect(x + 10, y + 1, x + 12, y + 7, metal);
        c.FillRect(x + 4, y + 8, x + 14, y + 10, metal);
        c.FillRect(x + 4, y + 6, x + 6, y + 12, metal);
        break;
    case 5:  // hammer: build
        c.FillRect(x + 7, y + 3, x + 9, y + 12, wood);
        c.FillRect(x + 3, y + 1, x + 13, y + 5, metal);
        break;
    default: break;
    }
}

void PaintCommands(Canvas& c)
{
    const int x0 = 392, y0 = 330, bw = 34, bh = 22, gap = 3;
    Frame(c, x0 - 6, y0 - 4, W - 4, H - 2, {26, 22, 18});
    const int kinds[12] = {1, 2, 3, 0, 4, -1, -1, -1, 5, -1, -1, -1};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const int bx = x0 + col * (bw + gap), by = y0 + row * (bh + gap) + 2;
            const int kind = kinds[row * 4 + col];
            const Rgb face = kind < 0 ? Rgb{40, 36, 30} : Rgb{64, 58, 48};
            c.FillRect(bx, by, bx + bw, by + bh, face);
            Bevel(c, bx, by, bx + bw, by + bh, 2, Shade(face, 40), Shade(face, -26));
            if (kind >= 0)
                Glyph(c, kind, bx + (bw - 16) / 2, by + (bh - 12) / 2);
        }
}

}  // namespace

Canvas MakeBackground()
{
    Canvas c(W, H);
    PaintGround(c);
    for (const Prop& p : CollectProps())
        p.draw(c);
    GradeScene(c);
    PaintPanelBody(c);
    PaintMinimap(c);
    PaintPortrait(c);
    PaintInfo(c);
    PaintCommands(c);
    return c;
}

}  // namespace assetgen
