#pragma once
// Portable state of a top-level window: caption, shown or hidden, closed. The Win32 side creates
// the real window lazily, the moment anyone asks for its handle (HandleNeeded), as the shared
// record needs it during start-up.

#include "shared/Handle.h"

#include <string>

namespace gw {

class TForm {
public:
    class View {
    public:
        virtual ~View() = default;
        virtual void FormChanged(TForm& form) = 0; // caption or visibility changed, or Show() again
        // Creates the real window if it does not exist yet and answers its handle.
        virtual WindowHandle HandleNeeded(TForm& form) = 0;
        // Close() was called: destroy the window, which ends the message loop of the main form.
        virtual void CloseRequested(TForm& form) = 0;
    };

    TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;
    virtual ~TForm() = default;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    bool Visible() const { return visible_; }
    // Shows the window, or brings it to the front when it is shown already.
    void Show();
    void Hide();

    // Ends the form; for the main form that ends the program.
    void Close();
    bool CloseCalled() const { return closeCalled_; }

    // Null without a View (unit tests attach a fake one).
    WindowHandle Handle();

    void SetView(View* view);

private:
    void Changed();

    std::string caption_;
    bool visible_ = false;
    bool closeCalled_ = false;
    View* view_ = nullptr;
};

} // namespace gw
