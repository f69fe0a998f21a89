// Draws the cursors. The four hands share one pose and differ in material and trimmings;
// the fifth cursor is an arrow. Coordinates are diagonal (see Sprite.h): s along the hand
// from the tip at the top-left corner, d across it.
#include "tools/assetgen/Cursors.h"

#include "tools/assetgen/Palette.h"
#include "tools/assetgen/Sprite.h"

namespace assetgen {

namespace {

// The pose of every hand, seen from the back: the index finger along the diagonal, the
// other three fingers curled beside it towards the top right (their knuckles step down
// like a fist's), the thumb on the lower left, the wrist at the bottom right.
struct HandShape {
    Shape finger = RoundRect(1, 22, -4, 2, 3);
    Shape middle = RoundRect(14, 30, 3, 8, 3);
    Shape ring = RoundRect(17, 32, 8, 13, 3);
    Shape little = RoundRect(21, 34, 13, 17, 2);
    Shape palm = RoundRect(23, 42, -7, 16, 5);
    Shape thumb = Polygon({{19, -9}, {22, -5}, {34, -3}, {38, -8}, {34, -13}, {24, -12}});
};

struct HandLook {
    Material skin;      // finger, thumb, back of the hand
    Material knuckles;  // the curled fingers
};

void LayHand(Sprite& sprite, const HandLook& look, const HandShape& shape = {})
{
    sprite.Part(shape.palm, look.skin);
    sprite.Part(shape.little, look.knuckles);
    sprite.Part(shape.ring, look.knuckles);
    sprite.Part(shape.middle, look.knuckles);
    sprite.Part(shape.thumb, look.skin);
    sprite.Part(shape.finger, look.skin);
}

Canvas Gauntlet()
{
    const Material steel{{218, 224, 234}, {150, 158, 174}, {76, 82, 100}};
    const Material darkSteel{{184, 190, 204}, {122, 128, 146}, {62, 66, 84}};
    const Material brass{{240, 212, 122}, {192, 152, 62}, {112, 82, 32}};
    Sprite sp;
    LayHand(sp, {steel, darkSteel});
    sp.Part(RoundRect(40, 52, -10, 12, 2), steel);  // flared cuff
    // Plate joints across the finger, a plate over the knuckles, brass trim on the cuff.
    for (int s : {9, 15})
        sp.Detail(RoundRect(s, s, -3, 1, 0), steel.dark);
    sp.Detail(RoundRect(27, 27, -5, 15, 0), steel.dark);
    sp.Detail(RoundRect(28, 28, -5, 15, 0), steel.light);
    sp.Detail(RoundRect(41, 42, -9, 11, 0), brass.base);
    sp.Detail(RoundRect(41, 41, -9, 11, 0), brass.light);
    for (int d : {-6, 1, 8})
        sp.Detail(RoundRect(47, 48, d, d + 1, 0), brass.light);
    return sp.Render({22, 24, 34});
}

Canvas NightHand()
{
    const Material skin{{100, 126, 210}, {54, 70, 152}, {26, 32, 84}};
    const Material knuckles{{84, 104, 186}, {44, 56, 128}, {22, 26, 70}};
    const Material leaf{{126, 198, 98}, {64, 146, 64}, {30, 88, 40}};
    const Material paleLeaf{{164, 216, 122}, {98, 172, 82}, {44, 104, 46}};
    const Material claw{{244, 240, 252}, {204, 198, 222}, {120, 112, 146}};
    HandShape shape;
    shape.finger = RoundRect(5, 22, -4, 2, 3);  // leaves room for the claw at the tip
    Sprite sp;
    LayHand(sp, {skin, knuckles}, shape);
    sp.Part(RoundRect(40, 50, -6, 11, 3), skin);  // wrist
    // Leaves round the wrist: two reaching out to the sides, two lying back along the arm.
    sp.Part(Ellipse(50, -2, 6, 3), paleLeaf);
    sp.Part(Ellipse(50, 7, 6, 3), paleLeaf);
    sp.Part(Ellipse(44, -9, 3, 6), leaf);
    sp.Part(Ellipse(42, 13, 3, 5), leaf);
    for (int d : {-2, 7})
        sp.Detail(RoundRect(46, 54, d, d, 0), paleLeaf.dark);  // midribs
    sp.Detail(RoundRect(44, 44, -13, -5, 0), leaf.dark);
    sp.Detail(RoundRect(42, 42, 10, 17, 0), leaf.dark);
    // Hooked claws ahead of every fingertip; the index claw is the tip of the cursor.
    sp.Part(Polygon({{0, -1}, {8, -4}, {8, 2}}), claw);
    sp.Part(Polygon({{10, 4}, {16, 3}, {16, 8}}), claw);
    sp.Part(Polygon({{13, 9}, {19, 8}, {19, 13}}), claw);
    sp.Part(Polygon({{18, 14}, {23, 13}, {23, 17}}), claw);
    sp.Part(Polygon({{15, -10}, {21, -12}, {21, -7}}), claw);
    return sp.Render({14, 14, 38});
}

Canvas OrcHand()
{
    const Material skin{{150, 206, 102}, {92, 152, 58}, {42, 86, 30}};
    const Material knuckles{{128, 184, 86}, {78, 132, 48}, {36, 74, 26}};
    const Material cuff{{234, 98, 76}, {180, 44, 36}, {96, 18, 18}};
    const Rgb stud{216, 216, 200}, nail{54, 64, 36};
    HandShape big;
    big.finger = RoundRect(1, 22, -5, 2, 3);  // a heavier finger
    Sprite sp;
    LayHand(sp, {skin, knuckles}, big);
    sp.Part(RoundRect(40, 52, -10, 12, 3), cuff);  // leather cuff
    sp.Detail(RoundRect(3, 5, -3, 0, 1), nail);
    for (int d : {-6, 0, 6})
        sp.Detail(RoundRect(44, 45, d, d + 1, 0), stud);
    for (int d : {-3, 3})
        sp.Detail(RoundRect(49, 50, d, d + 1, 0), stud);
    return sp.Render({20, 28, 12});
}

// A skeleton's hand: thin bones with gaps between them, which the outline fills with dark.
Canvas BoneHand()
{
    const Material bone{{228, 228, 222}, {172, 172, 168}, {98, 98, 98}};
    const Material joint{{200, 200, 194}, {146, 146, 144}, {84, 84, 86}};
    Sprite sp;
    // Finger bones of the curled fingers, each with its bone across the back of the hand.
    sp.Part(RoundRect(14, 40, 3, 6, 1), bone);
    sp.Part(RoundRect(17, 40, 8, 11, 1), bone);
    sp.Part(RoundRect(21, 40, 13, 15, 1), bone);
    for (auto [s, d] : {std::pair{22, 5}, std::pair{25, 10}, std::pair{28, 14}})
        sp.Part(Ellipse(s, d, 2, 2), joint);
    // The thumb in two bones.
    sp.Part(RoundRect(19, 27, -10, -7, 1), bone);
    sp.Part(RoundRect(29, 38, -9, -5, 1), bone);
    // The pointing finger in three bones with knobbly joints, its long bone down the hand.
    sp.Part(RoundRect(1, 8, -3, 1, 2), bone);
    sp.Part(RoundRect(9, 16, -3, 1, 1), bone);
    sp.Part(RoundRect(17, 40, -3, 0, 1), bone);
    for (int s : {9, 17, 26})
        sp.Part(Ellipse(s, -1, 2, 3), joint);
    // The wrist's knot of small bones, then the two bones of the forearm.
    sp.Part(Ellipse(42, 5, 3, 12), joint);
    sp.Part(RoundRect(45, 56, -5, -1, 2), bone);
    sp.Part(RoundRect(45, 52, 7, 11, 2), bone);
    return sp.Render({30, 30, 36});
}

Canvas Arrow()
{
    const Material red{{255, 102, 51}, {204, 0, 0}, {153, 0, 0}};
    const Material yellow{{255, 255, 153}, {255, 204, 0}, {204, 153, 0}};
    const Material blue{{102, 153, 255}, {0, 51, 204}, {0, 0, 102}};
    Sprite sp;
    sp.Part(RoundRect(18, 58, -2, 2, 1), blue);                       // shaft
    sp.Part(Polygon({{44, -2}, {51, -2}, {58, -7}, {51, -7}}), red);  // vanes
    sp.Part(Polygon({{44, 2}, {51, 2}, {58, 7}, {51, 7}}), red);
    sp.Part(Polygon({{0, 0}, {27, -14}, {22, -3}, {22, 3}, {27, 14}}), red);   // head
    sp.Part(Polygon({{7, 0}, {22, -8}, {19, -2}, {19, 2}, {22, 8}}), yellow);  // its bright core
    return sp.Render({0, 0, 0});
}

// Replaces every colour by its nearest in the 256-colour table, for the 8-bit cursor.
Canvas ToPalette(Canvas c)
{
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.At(x, y).a)
                c.Set(x, y, Palette256()[NearestIndex(Palette256(), c.RgbAt(x, y))]);
    return c;
}

}  // namespace

std::vector<Cursor> MakeCursors()
{
    std::vector<Cursor> out;
    out.push_back({"hu", Gauntlet(), 24});
    out.push_back({"ne", NightHand(), 24});
    out.push_back({"or", OrcHand(), 24});
    out.push_back({"ud", BoneHand(), 24});
    out.push_back({"df", ToPalette(Arrow()), 8});
    return out;
}

}  // namespace assetgen
