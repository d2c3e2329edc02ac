// Runs the widget tests: `mirabo_qt_tests NAME [Qt Test options]` runs the
// tests of NAME_test.cpp, `mirabo_qt_tests` all of them.

#include <QApplication>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>

#include "app/qt/testing/qt_test_registry.h"

namespace qttest {

namespace {

std::map<std::string, Factory>& registry() {
    static std::map<std::string, Factory> tests;
    return tests;
}

}  // namespace

bool registerTest(const char* name, Factory factory) {
    registry()[name] = std::move(factory);
    return true;
}

}  // namespace qttest

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // One style everywhere, so scroll-bar parts sit where the tests expect.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QStringList arguments = QApplication::arguments();
    std::string only;
    if (arguments.size() > 1 && !arguments[1].startsWith(QLatin1Char('-'))) {
        only = arguments[1].toStdString();
        arguments.removeAt(1);
    }
    if (!only.empty() && !qttest::registry().count(only)) {
        std::fprintf(stderr, "no widget tests are called %s\n", only.c_str());
        return 2;
    }
    int failures = 0;
    for (const auto& [name, factory] : qttest::registry()) {
        if (!only.empty() && name != only) continue;
        const std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), arguments);
    }
    return failures == 0 ? 0 : 1;
}
