#pragma once

#include <thread>

// Loads the desktop's font configuration on a thread of its own while the program starts. It is
// the largest single step of a start (fontconfig parses dozens of configuration files), and the
// toolkit needs it only when the first window measures its text; until then the other core
// does it.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp() { wait(); }
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is loaded. Called before the first text is measured: the
    // toolkit would otherwise load a second configuration beside it.
    void wait() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
