// A stand-in for the desktop: scripted answers and random numbers, recorded messages.
#pragma once

#include "platform/runtime.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <stdexcept>

struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

class ScriptedRuntime final : public platform::Runtime {
public:
    std::deque<QString> answers;      // next answers of the input box
    std::deque<float> randomNumbers;  // next numbers of the random source; 0 when empty
    QStringList messages;             // every message box shown
    QStringList prompts;              // every input box: prompt, title and default
    int helpWindowsMade = 0;
    int helpWindowShows = 0;
    bool seeded = false;
    bool ended = false;

    QString InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        prompts << prompt + u'|' + title + u'|' + defaultAnswer;
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void MsgBox(const QString &text) override { messages << text; }
    void Randomize() override { seeded = true; }
    float Rnd() override
    {
        if (randomNumbers.empty())
            return 0.0f;
        const float r = randomNumbers.front();
        randomNumbers.pop_front();
        return r;
    }
    std::unique_ptr<platform::Window> NewHelpWindow() override
    {
        ++helpWindowsMade;
        return std::make_unique<CountingWindow>(helpWindowShows);
    }
    // The end does not return in the program; here it stops the handler that called it.
    void End() override
    {
        ended = true;
        throw ProgramEnded();
    }

private:
    struct CountingWindow : platform::Window {
        explicit CountingWindow(int &shows) : m_shows(shows) {}
        void Show() override { ++m_shows; }
        int &m_shows;
    };
};
