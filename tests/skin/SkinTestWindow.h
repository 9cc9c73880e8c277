#pragma once
// The skinned-button tests' stage: the program's resource module installed through the application
// services, a top-level parent that logs the commands it receives, and the skin art's probe pixels.

#include "platform/gdi/Region.h"
#include "tests/platform/ui/LoggingWnd.h"
#include "tests/support/FakeAppServices.h"
#include "tests/support/UiTestSupport.h"

#include <initializer_list>

class SkinTest : public UiTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // The colour the named skin bitmap has at its probe pixel, and whether window shows it there.
    static COLORREF ProbeColour(const char* bitmap);
    static CPoint ProbePoint(const char* bitmap);
    bool Shows(CWnd* window, const char* bitmap);
    // Posted messages handled; the log's lines since the last call.
    MessageLog TakeLog();

    FakeAppServices m_services;
    MessageLog m_log;
    LoggingWnd m_parent{&m_log, "parent"};

private:
    static HMODULE s_resources;
};

// A polygon region from a list of points, in winding fill mode.
void MakePolygon(CRgn& region, std::initializer_list<POINT> points);
