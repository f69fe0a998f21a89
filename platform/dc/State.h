// What both back ends' drawing objects hold alike, the makers each back end provides for them,
// and the stock objects of a fresh context. Each back end's own state is in its folder
// (soft/State.h, gdi/State.h).
#pragma once

#include <memory>

#include "platform/dc/Dc.h"

namespace dc_detail {

// Base of every object's state. The wrapper that made it is its owner until the wrapper goes
// away; a context that still has the state selected keeps drawing with it. Stock objects are
// never deleted.
struct GdiState {
    GdiState() = default;
    GdiState(const GdiState&) = delete;
    GdiState& operator=(const GdiState&) = delete;
    virtual ~GdiState() = default;

    CGdiObject* owner = nullptr;
    bool stock = false;
};

// The attributes a context keeps, for a back end to hear of a change (CDC::TakeAttribute).
enum class Attribute { Rop2, TextColor, BkColor, BkMode };

// Each back end's states for new objects, from arguments already checked (colours without
// their top byte, a normalized rectangle, sizes within CBitmap::MaxPixels); null when the
// system cannot make the object.
std::shared_ptr<GdiState> MakePen(int style, int width, COLORREF colour);
std::shared_ptr<GdiState> MakeBrush(COLORREF colour);
std::shared_ptr<GdiState> MakeSurface(int width, int height);
std::shared_ptr<GdiState> MakeRegion(const CRect& rect);

}  // namespace dc_detail

// The stock objects of a fresh context, made once per process.
class CStockObjects {
public:
    static CGdiObject* Get(int index);
    // The empty bitmap a fresh context has selected: nothing can be drawn into it.
    static CBitmap* EmptyBitmap();
    static std::shared_ptr<dc_detail::GdiState> SharedStateOf(CGdiObject& object);

private:
    // Each back end makes the objects its way (Make); all of them are then marked as stock.
    struct Set {
        Set();
        void Make();
        CPen whitePen, blackPen, nullPen;
        CBrush whiteBrush, blackBrush, nullBrush;
        CFont systemFont, guiFont;
        CBitmap emptyBitmap;
    };
    static Set& Instance();
};
