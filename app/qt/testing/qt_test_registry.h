#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace qttest {

using Factory = std::function<std::unique_ptr<QObject>()>;

// Registers a Qt Test class under the name of its file ("canvas_view" for
// canvas_view_test.cpp), so the test program can run one file's tests.
bool registerTest(const char* name, Factory factory);

}  // namespace qttest

#define MIRABO_QT_TEST(Class, name)         \
    static const bool miraboQtTest##Class = \
        ::qttest::registerTest(name, [] { return std::unique_ptr<QObject>(new Class); })
