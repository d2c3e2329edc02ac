#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

namespace qttest {

// Answers the modal boxes, dialogs and pop-ups a call is about to show: each
// step waits for the active pop-up or modal widget it expects and acts on
// it. Made before the call, it runs from the event loops the call starts.
class ModalScript {
  public:
    // Returns false while `modal` is not the widget the step waits for.
    using Step = std::function<bool(QWidget* modal)>;

    explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    bool finished() const { return next_ == steps_.size(); }

  private:
    void poll() {
        if (finished()) {
            timer_.stop();
            return;
        }
        // Only a shown widget is waiting for an answer; one that was just
        // answered may still be on the modal stack for a moment.
        // A dialog may have a pop-up of its own open (a completer's list),
        // so the step is offered the pop-up and then the modal widget.
        for (QWidget* shown :
             {QApplication::activePopupWidget(), QApplication::activeModalWidget()})
            if (shown && shown->isVisible() && steps_[next_](shown)) {
                ++next_;
                return;
            }
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
};

// Clicks `button` with `steps` answering what the click shows; true when
// every step was taken.
[[nodiscard]] inline bool clickThrough(QWidget* button, std::vector<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    QTest::mouseClick(button, Qt::LeftButton);
    return script.finished();
}

}  // namespace qttest
