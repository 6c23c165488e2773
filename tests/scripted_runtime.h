// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A stand-in for the desktop: scripted answers and random numbers, recorded messages.
#pragma once

#include "platform/forms/runtime.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <stdexcept>

struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

class ScriptedRuntime final : public forms::Runtime {
public:
    std::deque<QString> answers;            // next answers of the input box; Cancel when none
    std::deque<float> randomNumbers;        // next numbers of the random source; 0 when none
    QStringList prompts;                    // every input box: prompt, title and default
    QStringList messages;                   // every message box shown
    std::function<void()> whileMessageOpen; // events that come while a message box is open
    bool seeded = false;
    int helpShown = 0; // times the help window was asked for

    QString InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        prompts << prompt + u'|' + title + u'|' + defaultAnswer;
        const QString answer = answers.empty() ? QString() : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    void MsgBox(const QString &text) override
    {
        messages << text;
        if (whileMessageOpen)
            whileMessageOpen();
    }
    void Randomize() override { seeded = true; }
    float Rnd() override
    {
        const float next = randomNumbers.empty() ? 0.0f : randomNumbers.front();
        if (!randomNumbers.empty())
            randomNumbers.pop_front();
        return next;
    }
    void ShowHelp() override { ++helpShown; }
    // The end does not return in the program; here it stops the handler that called it.
    void End() override { throw ProgramEnded(); }
};
