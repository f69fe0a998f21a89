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
    Shape finger = roundRect(1, 22, -4, 2, 3);
    Shape middle = roundRect(14, 30, 3, 8, 3);
    Shape ring = roundRect(17, 32, 8, 13, 3);
    Shape little = roundRect(21, 34, 13, 17, 2);
    Shape palm = roundRect(23, 42, -7, 16, 5);
    Shape thumb = polygon({{19, -9}, {22, -5}, {34, -3}, {38, -8}, {34, -13}, {24, -12}});
};

struct HandLook {
    Material skin;      // finger, thumb, back of the hand
    Material knuckles;  // the curled fingers
};

void layHand(Sprite& sprite, const HandLook& look, const HandShape& shape = {})
{
    sprite.part(shape.palm, look.skin);
    sprite.part(shape.little, look.knuckles);
    sprite.part(shape.ring, look.knuckles);
    sprite.part(shape.middle, look.knuckles);
    sprite.part(shape.thumb, look.skin);
    sprite.part(shape.finger, look.skin);
}

Canvas gauntlet()
{
    const Material steel{{218, 224, 234}, {150, 158, 174}, {76, 82, 100}};
    const Material darkSteel{{184, 190, 204}, {122, 128, 146}, {62, 66, 84}};
    const Material brass{{240, 212, 122}, {192, 152, 62}, {112, 82, 32}};
    Sprite sp;
    layHand(sp, {steel, darkSteel});
    sp.part(roundRect(40, 52, -10, 12, 2), steel);  // flared cuff
    // Plate joints across the finger, a plate over the knuckles, brass trim on the cuff.
    for (int s : {9, 15})
        sp.detail(roundRect(s, s, -3, 1, 0), steel.dark);
    sp.detail(roundRect(27, 27, -5, 15, 0), steel.dark);
    sp.detail(roundRect(28, 28, -5, 15, 0), steel.light);
    sp.detail(roundRect(41, 42, -9, 11, 0), brass.base);
    sp.detail(roundRect(41, 41, -9, 11, 0), brass.light);
    for (int d : {-6, 1, 8})
        sp.detail(roundRect(47, 48, d, d + 1, 0), brass.light);
    return sp.render({22, 24, 34});
}

Canvas nightHand()
{
    const Material skin{{100, 126, 210}, {54, 70, 152}, {26, 32, 84}};
    const Material knuckles{{84, 104, 186}, {44, 56, 128}, {22, 26, 70}};
    const Material leaf{{126, 198, 98}, {64, 146, 64}, {30, 88, 40}};
    const Material paleLeaf{{164, 216, 122}, {98, 172, 82}, {44, 104, 46}};
    const Material claw{{244, 240, 252}, {204, 198, 222}, {120, 112, 146}};
    HandShape shape;
    shape.finger = roundRect(5, 22, -4, 2, 3);  // leaves room for the claw at the tip
    Sprite sp;
    layHand(sp, {skin, knuckles}, shape);
    sp.part(roundRect(40, 50, -6, 11, 3), skin);  // wrist
    // Leaves round the wrist: two reaching out to the sides, two lying back along the arm.
    sp.part(ellipse(50, -2, 6, 3), paleLeaf);
    sp.part(ellipse(50, 7, 6, 3), paleLeaf);
    sp.part(ellipse(44, -9, 3, 6), leaf);
    sp.part(ellipse(42, 13, 3, 5), leaf);
    for (int d : {-2, 7})
        sp.detail(roundRect(46, 54, d, d, 0), paleLeaf.dark);  // midribs
    sp.detail(roundRect(44, 44, -13, -5, 0), leaf.dark);
    sp.detail(roundRect(42, 42, 10, 17, 0), leaf.dark);
    // Hooked claws ahead of every fingertip; the index claw is the tip of the cursor.
    sp.part(polygon({{0, -1}, {8, -4}, {8, 2}}), claw);
    sp.part(polygon({{10, 4}, {16, 3}, {16, 8}}), claw);
    sp.part(polygon({{13, 9}, {19, 8}, {19, 13}}), claw);
    sp.part(polygon({{18, 14}, {23, 13}, {23, 17}}), claw);
    sp.part(polygon({{15, -10}, {21, -12}, {21, -7}}), claw);
    return sp.render({14, 14, 38});
}

Canvas orcHand()
{
    const Material skin{{150, 206, 102}, {92, 152, 58}, {42, 86, 30}};
    const Material knuckles{{128, 184, 86}, {78, 132, 48}, {36, 74, 26}};
    const Material cuff{{234, 98, 76}, {180, 44, 36}, {96, 18, 18}};
    const Rgb stud{216, 216, 200}, nail{54, 64, 36};
    HandShape big;
    big.finger = roundRect(1, 22, -5, 2, 3);  // a heavier finger
    Sprite sp;
    layHand(sp, {skin, knuckles}, big);
    sp.part(roundRect(40, 52, -10, 12, 3), cuff);  // leather cuff
    sp.detail(roundRect(3, 5, -3, 0, 1), nail);
    for (int d : {-6, 0, 6})
        sp.detail(roundRect(44, 45, d, d + 1, 0), stud);
    for (int d : {-3, 3})
        sp.detail(roundRect(49, 50, d, d + 1, 0), stud);
    return sp.render({20, 28, 12});
}

// A skeleton's hand: thin bones with gaps between them, which the outline fills with dark.
Canvas boneHand()
{
    const Material bone{{228, 228, 222}, {172, 172, 168}, {98, 98, 98}};
    const Material joint{{200, 200, 194}, {146, 146, 144}, {84, 84, 86}};
    Sprite sp;
    // Finger bones of the curled fingers, each with its bone across the back of the hand.
    sp.part(roundRect(14, 40, 3, 6, 1), bone);
    sp.part(roundRect(17, 40, 8, 11, 1), bone);
    sp.part(roundRect(21, 40, 13, 15, 1), bone);
    for (auto [s, d] : {std::pair{22, 5}, std::pair{25, 10}, std::pair{28, 14}})
        sp.part(ellipse(s, d, 2, 2), joint);
    // The thumb in two bones.
    sp.part(roundRect(19, 27, -10, -7, 1), bone);
    sp.part(roundRect(29, 38, -9, -5, 1), bone);
    // The pointing finger in three bones with knobbly joints, its long bone down the hand.
    sp.part(roundRect(1, 8, -3, 1, 2), bone);
    sp.part(roundRect(9, 16, -3, 1, 1), bone);
    sp.part(roundRect(17, 40, -3, 0, 1), bone);
    for (int s : {9, 17, 26})
        sp.part(ellipse(s, -1, 2, 3), joint);
    // The wrist's knot of small bones, then the two bones of the forearm.
    sp.part(ellipse(42, 5, 3, 12), joint);
    sp.part(roundRect(45, 56, -5, -1, 2), bone);
    sp.part(roundRect(45, 52, 7, 11, 2), bone);
    return sp.render({30, 30, 36});
}

Canvas arrow()
{
    const Material red{{255, 102, 51}, {204, 0, 0}, {153, 0, 0}};
    const Material yellow{{255, 255, 153}, {255, 204, 0}, {204, 153, 0}};
    const Material blue{{102, 153, 255}, {0, 51, 204}, {0, 0, 102}};
    Sprite sp;
    sp.part(roundRect(18, 58, -2, 2, 1), blue);                       // shaft
    sp.part(polygon({{44, -2}, {51, -2}, {58, -7}, {51, -7}}), red);  // vanes
    sp.part(polygon({{44, 2}, {51, 2}, {58, 7}, {51, 7}}), red);
    sp.part(polygon({{0, 0}, {27, -14}, {22, -3}, {22, 3}, {27, 14}}), red);   // head
    sp.part(polygon({{7, 0}, {22, -8}, {19, -2}, {19, 2}, {22, 8}}), yellow);  // its bright core
    return sp.render({0, 0, 0});
}

// Replaces every colour by its nearest in the 256-colour table, for the 8-bit cursor.
Canvas toPalette(Canvas c)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y).a)
                c.set(x, y, palette256()[nearestIndex(palette256(), c.rgb(x, y))]);
    return c;
}

}  // namespace

std::vector<Cursor> makeCursors()
{
    std::vector<Cursor> out;
    out.push_back({"hu", gauntlet(), 24});
    out.push_back({"ne", nightHand(), 24});
    out.push_back({"or", orcHand(), 24});
    out.push_back({"ud", boneHand(), 24});
    out.push_back({"df", toPalette(arrow()), 8});
    return out;
}

}  // namespace assetgen
