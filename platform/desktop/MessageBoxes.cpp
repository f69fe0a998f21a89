// The message box through wxWidgets: a dialog of our own rather than the toolkit's, whose
// native box grows as wide as its longest word.
#include "platform/desktop/MessageBoxes.h"

#include <algorithm>
#include <numeric>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/desktop/TextWrap.h"

namespace {

constexpr int Margin = 12;           // around the text and the button, in pixels
constexpr int ReadableChars = 60;    // the widest line, in average characters
constexpr int FrameAllowance = 120;  // the caption, borders and button row, kept free

// The part of the screen the box may use: the owner's display, less panels and docks.
wxRect Workspace(const wxWindow* owner)
{
    const int index = owner ? wxDisplay::GetFromWindow(owner) : wxNOT_FOUND;
    return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
}

class MessageDialog : public wxDialog {
public:
    MessageDialog(wxWindow* owner, const std::string& text) : wxDialog(owner, wxID_ANY, "Orbicle")
    {
        const wxRect work = Workspace(owner);
        const int widest = std::min(ReadableChars * GetCharWidth(), work.width - 2 * Margin - FrameAllowance / 2);
        const wxString wrapped = Wrap(text, std::max(widest, GetCharWidth()));

        // The text scrolls when it is taller than the screen leaves room for.
        auto* scroller = new wxScrolledWindow(this, wxID_ANY);  // the dialog owns its children
        auto* label = new wxStaticText(scroller, wxID_ANY, wrapped);
        auto* inner = new wxBoxSizer(wxVERTICAL);
        inner->Add(label);
        scroller->SetSizer(inner);
        const wxSize textSize = label->GetBestSize();
        const int tallest = std::max(work.height - FrameAllowance - 2 * Margin, 3 * GetCharHeight());
        const bool scrolls = textSize.y > tallest;
        const int scrollbar = scrolls ? wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, scroller) : 0;
        scroller->SetScrollRate(0, GetCharHeight());
        scroller->SetMinSize({textSize.x + scrollbar, std::min(textSize.y, tallest)});
        scroller->SetVirtualSize(textSize);

        auto* ok = new wxButton(this, wxID_OK, "OK");
        ok->SetDefault();
        SetEscapeId(wxID_OK);
        auto* outer = new wxBoxSizer(wxVERTICAL);
        outer->Add(scroller, 1, wxEXPAND | wxALL, Margin);
        outer->Add(ok, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, Margin);
        SetSizerAndFit(outer);
        CentreOnParent();
        KeepInside(work);
        ok->SetFocus();
    }

private:
    // The text's lines as they fit the width in this dialog's font.
    wxString Wrap(const std::string& text, int width) const
    {
        const auto measure = [this](std::string_view piece) {
            return GetTextExtent(wxString(piece.data(), wxConvISO8859_1, piece.size())).x;
        };
        const std::vector<std::string> lines = WrapText(text, width, measure);
        const std::string joined =
            std::accumulate(std::next(lines.begin()), lines.end(), lines.front(),
                            [](std::string all, const std::string& line) { return std::move(all) + '\n' + line; });
        return wxString(joined.c_str(), wxConvISO8859_1, joined.size());
    }

    // Moves the box onto the workspace where centring on its owner put part of it outside.
    void KeepInside(const wxRect& work)
    {
        const wxRect box = GetRect();
        const int x = std::clamp(box.x, work.x, std::max(work.x, work.GetRight() + 1 - box.width));
        const int y = std::clamp(box.y, work.y, std::max(work.y, work.GetBottom() + 1 - box.height));
        Move(x, y);
    }
};

}  // namespace

void WxMessageBox::Show(const std::string& text)
{
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    MessageDialog box(owner, text);
    box.ShowModal();
}
