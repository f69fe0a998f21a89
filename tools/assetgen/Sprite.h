// A 32 x 32 pixel-art builder for the cursors: shapes are laid out along the diagonal from
// the top-left tip, shaded by their edges and wrapped in a dark outline.
#pragma once

#include <functional>
#include <vector>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

// Three tones of one surface: the edge facing the light (top left), the face, the edge away.
struct Material {
    Rgb light, base, dark;
};

// Diagonal coordinates of a pixel centre: s = x + y + 1 runs from the top-left corner towards
// the bottom right, d = x - y runs across it (positive towards the top right). Shapes are
// described in (s, d), so a hand or arrow that points to the top left is axis-aligned.
struct Diag {
    int s, d;
};
using Shape = std::function<bool(Diag)>;

// Rounded rectangle s0 <= s <= s1, d0 <= d <= d1 with corner radius r.
Shape RoundRect(int s0, int s1, int d0, int d1, int r);
// Ellipse centred at (s0, d0) with half-axes rs and rd.
Shape Ellipse(int s0, int d0, int rs, int rd);
// Polygon with corners given as (s, d).
Shape Polygon(std::vector<Diag> corners);
Shape Unite(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

class Sprite {
public:
    static constexpr int Size = 32;

    // Lays a new part over the earlier ones. Each part is shaded on its own, so seams show
    // where parts meet (between a finger and the back of the hand, say).
    void Part(const Shape& shape, const Material& material);
    // Paints pixels of the parts already laid with one colour (lines, rivets, claws' tips).
    void Detail(const Shape& shape, Rgb colour);
    // Shades the parts, applies the details and adds the outline around the whole figure.
    Canvas Render(Rgb outline) const;

private:
    struct Layer {
        Shape shape;
        Material material;
    };
    struct Mark {
        Shape shape;
        Rgb colour;
    };
    std::vector<Layer> m_parts;
    std::vector<Mark> m_details;
};

}  // namespace assetgen
