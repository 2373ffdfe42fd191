#pragma once
// The application object: its title, the general error handler and the process-messages call.
// Every entry into the program's handlers from a real window (control changes, clicks, menu
// choices, tray events, timer ticks, the main form's creation) runs inside Dispatch, so an error
// raised by a handler ends only that handler: its text is shown in an error box captioned with
// the title and the program runs on.

#include "shared/Handle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace gw {

class HandlerRef;

// What Dispatch runs: an object that can be called with no arguments.
template <class F>
concept Handler = !std::is_same_v<std::remove_cvref_t<F>, HandlerRef> &&
                  std::is_object_v<std::remove_reference_t<F>> && std::is_invocable_v<F&>;

// A handler for the length of one call: the address of a callable and a function that calls it.
// Nothing is copied or allocated, whatever the callable captures, so the hook messages that arrive
// for every mouse move and keystroke of the desktop cost no heap. Only for calls that finish before
// the callable goes away, as TApplication::Dispatch does.
class HandlerRef {
public:
    // Implicit: a lambda or a std::function is passed where a HandlerRef is asked for.
    template <Handler F>
    HandlerRef(F&& handler) noexcept // NOLINT(google-explicit-constructor)
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(handler)))),
          call_([](void* object) { (*static_cast<std::remove_reference_t<F>*>(object))(); }) {}

    void operator()() const { call_(object_); }

private:
    void* object_;
    void (*call_)(void*);
};

// MessageBoxW, with UTF-8 texts.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual int Show(WindowHandle owner, const std::string& text, const std::string& caption,
                     std::uint32_t flags) = 0;
};

// Handles the messages waiting in the GUI thread's queue, then returns.
class IMessagePump {
public:
    virtual ~IMessagePump() = default;
    virtual void ProcessMessages() = 0;
};

class TApplication {
public:
    TApplication(IMessageBox& messageBox, IMessagePump& pump) : messageBox_(messageBox), pump_(pump) {}
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Runs a handler; an error it raises is shown by ShowError and goes no further. Answers false
    // when the handler ended with an error. Takes any callable (a lambda, a std::function) without
    // copying it.
    bool Dispatch(HandlerRef handler) noexcept;

    // An error box: the text, the title as caption, MB_ICONERROR.
    void ShowError(const std::string& text);
    // A plain message box with the title as caption.
    void ShowMessage(const std::string& text);

    void ProcessMessages() { pump_.ProcessMessages(); }

private:
    IMessageBox& messageBox_;
    IMessagePump& pump_;
    std::string title_ = "Glidewing";
};

} // namespace gw
