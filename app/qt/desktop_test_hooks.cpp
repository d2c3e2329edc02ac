#include "app/qt/desktop_test_hooks.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup/application.h"
#include "platform/text/utf.h"

namespace {

constexpr std::string_view prefix = "test:";

std::vector<std::string> words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

bool toNumber(const std::string& text, long& number) {
    char* end = nullptr;
    number = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0';
}

// FNV-1a over the canvas rows of the live picture: equal pictures, equal
// numbers.
std::uint64_t pictureHash(const Canvas& canvas) {
    std::uint64_t hash = 14695981039346656037ull;
    if (!canvas.liveBits()) return hash;
    const std::size_t bytes = std::size_t(canvas.height()) * canvas.rowStride();
    const std::uint8_t* row = canvas.liveBits() + canvas.pixelOffset(0, canvas.height() - 1);
    for (std::size_t i = 0; i < bytes; ++i)
        hash = (hash ^ row[i]) * 1099511628211ull;
    return hash;
}

}  // namespace

// Clicks its button in the next message box that shows within ten seconds.
class MessageBoxAnswer {
  public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer) : answer_(answer) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }

  private:
    void look() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* button = box->button(answer_)) {
                timer_.stop();
                button->click();
            }
        } else if (++looks_ > 1000) {
            timer_.stop();
        }
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    int looks_ = 0;
};

namespace {

bool toAnswer(const std::string& text, QMessageBox::StandardButton& answer) {
    if (text == "yes")
        answer = QMessageBox::Yes;
    else if (text == "no")
        answer = QMessageBox::No;
    else if (text == "cancel")
        answer = QMessageBox::Cancel;
    else
        return false;
    return true;
}

}  // namespace

DesktopTestHooks::DesktopTestHooks(QWidget& window, Application& app,
                                   const int& timesBroughtForward)
    : window_(window), app_(app), timesBroughtForward_(timesBroughtForward) {}

DesktopTestHooks::~DesktopTestHooks() = default;

bool DesktopTestHooks::enabled() {
    const char* value = std::getenv("MIRABO_TEST_HOOKS");
    return value && *value;
}

bool DesktopTestHooks::isHook(std::string_view commandLine) {
    return commandLine.starts_with(prefix);
}

bool DesktopTestHooks::handle(std::string_view commandLine) {
    if (!isHook(commandLine)) return false;
    const std::vector<std::string> w = words(commandLine.substr(prefix.size()));
    long n[4] = {};
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    if (w.size() == 5 && w[0] == "stroke" && toNumber(w[1], n[0]) && toNumber(w[2], n[1]) &&
        toNumber(w[3], n[2]) && toNumber(w[4], n[3])) {
        app_.stylusDown(std::int32_t(n[0]), std::int32_t(n[1]));
        app_.stylusMove(std::int32_t(n[2]), std::int32_t(n[3]));
        app_.stylusUp(std::int32_t(n[2]), std::int32_t(n[3]));
    } else if (w.size() == 2 && w[0] == "answer" && toAnswer(w[1], answer)) {
        answer_ = std::make_unique<MessageBoxAnswer>(answer);
    } else if (w.size() == 2 && w[0] == "command" && toNumber(w[1], n[0])) {
        QTimer::singleShot(0, &window_,
                           [&app = app_, id = std::int32_t(n[0])] { app.command(id); });
    } else if (w.size() == 1 && w[0] == "state") {
        printState();
    } else {
        std::fprintf(stderr, "mirabo: test hook not understood: %.*s\n", int(commandLine.size()),
                     commandLine.data());
    }
    return true;
}

void DesktopTestHooks::printState() {
    const DocumentState state = app_.documentState();
    std::printf(
        "state pid=%ld modified=%d marked=%d path=%s size=%ux%u raised=%d picture=%016" PRIx64
        " title=%s\n",
        long(getpid()), state.modified ? 1 : 0, window_.isWindowModified() ? 1 : 0,
        platform::toUtf8(state.path).c_str(), unsigned(state.canvasWidth),
        unsigned(state.canvasHeight), timesBroughtForward_, pictureHash(app_.document().canvas),
        window_.windowTitle().toStdString().c_str());
    std::fflush(stdout);
}
