#pragma once

#include <QCoreApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "app/module1.h"
#include "platform/cad_driver/cad_driver.h"
#include "platform/qt/desktop_opener.h"

namespace zelanto::testing {

// Records what would have been done to the CAD program; fails where told to.
class FakeCadDriver : public platform::CadDriver {
public:
    std::vector<std::string> calls;
    bool startFails = false;
    bool activateFails = false;
    bool keysFail = false;

    void start(const std::filesystem::path& program,
               const std::vector<std::string>& arguments) override {
        std::string call = "start " + program.string();
        for (const std::string& argument : arguments) {
            call += " " + argument;
        }
        calls.push_back(call);
        if (startFails) {
            throw platform::CadDriverError("cannot start");
        }
    }
    void activate(const std::string& title) override {
        calls.push_back("activate " + title);
        if (activateFails) {
            throw platform::CadDriverError("no window");
        }
    }
    void activateCad(std::span<const std::string_view> titleWords) override {
        std::string call = "activate-cad";
        for (const std::string_view word : titleWords) {
            call += " " + std::string(word);
        }
        calls.push_back(call);
        if (activateFails) {
            throw platform::CadDriverError("no window");
        }
    }
    void activateCadShowing(const std::string& titlePart) override {
        calls.push_back("activate-cad-showing " + titlePart);
        if (activateFails) {
            throw platform::CadDriverError("no window");
        }
    }
    void closeEarlierStarts() override { calls.push_back("close-earlier-starts"); }
    void pressShift() override {
        calls.push_back("shift");
        if (keysFail) {
            throw platform::CadDriverError("no display");
        }
    }
    void sendKeys(const std::string& keys, bool wait) override {
        calls.push_back((wait ? "keys-wait " : "keys ") + keys);
        if (keysFail) {
            throw platform::CadDriverError("no display");
        }
    }
};

class RecordingOpener : public platform::DesktopOpener {
public:
    std::vector<std::filesystem::path> opened;
    // The window titles asked to be maximized, one for each file opened so.
    std::vector<std::string> maximized;
    bool succeeds = true;
    bool open(const std::filesystem::path& file) override {
        opened.push_back(file);
        return succeeds;
    }
    bool openMaximized(const std::filesystem::path& file, const std::string& title) override {
        maximized.push_back(title);
        return open(file);
    }
};

// A clock that moves on by `stepMs` each time events are processed, so that pauses take no real
// time; it records every pause's start and what it was asked to wait.
class SteppingClock : public app::PauseClock {
public:
    explicit SteppingClock(int stepMs = 100) : stepMs_(stepMs) {}
    std::int64_t nowMs() override { return now_; }
    void processEvents(int) override {
        QCoreApplication::processEvents();
        now_ += stepMs_;
        ++rounds;
    }
    int rounds = 0;

private:
    int stepMs_;
    std::int64_t now_ = 0;
};

}  // namespace zelanto::testing
