#pragma once

#include <cstdint>
#include <string_view>

class SketchDocument;

namespace platform {
class Window;
}

// Keeps a copy of unsaved work in the hibernation file while the program
// runs, so that a crash, a kill or a power cut costs at most the last
// interval of work: the next start brings the copy back as it brings back a
// drawing hibernated at a close.
//
// The copy is written from the event loop only, by a timer on the canvas
// view that starts with the first change after the last copy (later changes
// do not push it back, so continuous work is copied too), and never while the
// stylus is down: when the interval ends in the middle of a stroke the copy
// is written as the stroke ends. A copy costs about one sketch save and is
// written beside the file and moved over it, so a reader finds the last
// complete copy, never part of one. The copy is the live picture as the user
// sees it; the document, its history and its unsaved-work mark are left
// alone.
//
// A drawing that stops being unsaved work (saved, or discarded by New, Open
// or Exit's question) leaves no copy behind, so discarded work never comes
// back. At the window's close a modified drawing is hibernated whole, over
// the copy. The document's name is kept beside each copy.
class HibernationKeeper {
  public:
    // The canvas view's timer for the copies (the auto-scroll timer is 7979).
    static constexpr std::uint32_t timerId = 7980;
    static constexpr std::uint32_t defaultIntervalMs = 30000;

    explicit HibernationKeeper(SketchDocument& document) : document_(document) {}
    HibernationKeeper(const HibernationKeeper&) = delete;
    HibernationKeeper& operator=(const HibernationKeeper&) = delete;

    // How long unsaved work may wait for its copy; at least 1 ms. A running
    // wait keeps its old length.
    void setInterval(std::uint32_t milliseconds);
    std::uint32_t interval() const { return intervalMs_; }

    // After each event that may have changed the drawing. Without a canvas
    // view (the document has no frame or the frame no view) nothing is kept.
    void afterEvent();
    // The drawing was just brought back from the hibernation file, which is
    // gone now: it is copied again as soon as the event loop runs.
    void restored();
    // The keeper's timer went off.
    void timer();
    // The main window is about to close. A modified drawing is hibernated:
    // whole when the user closes the window, as the timer copies it when the
    // close comes from outside, where nothing may be asked and the document
    // is left alone. A drawing without unsaved work leaves no copy behind.
    // True when no unsaved work is lost; nothing is kept afterwards. False
    // when the drawing could not be written: the keeper goes on as before,
    // since the user may call the close off.
    bool keepForClose(bool fromOutside);
    // The main window is going away: nothing is kept any more.
    void windowDestroyed();
    // Writes a copy at once when the drawing holds unsaved work and no
    // stroke is in progress (the session manager saving the programs'
    // state). True when a copy was written.
    bool copyNow();

    // For tests: copies written and copies that could not be written.
    int copies() const { return copies_; }
    int failedCopies() const { return failedCopies_; }

  private:
    platform::Window* view() const;
    bool strokeInProgress() const;
    void start(std::uint32_t milliseconds);
    void stop();
    bool writeCopy();
    // The drawing is no longer unsaved work: the copy goes.
    void forget();

    SketchDocument& document_;
    std::uint32_t intervalMs_ = defaultIntervalMs;
    bool modified_ = false;  // as at the last event
    bool running_ = false;   // the timer runs
    bool due_ = false;       // the wait ended during a stroke
    bool copied_ = false;    // a copy of ours is on the storage
    bool closed_ = false;
    int copies_ = 0;
    int failedCopies_ = 0;
};

// An interval given in seconds ("30", "0.5"), as a setting may give it, in
// milliseconds; 0 for anything that is not a number of seconds from 0.001 to
// a day.
std::uint32_t hibernationIntervalFromSeconds(std::string_view seconds);
