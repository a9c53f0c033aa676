#pragma once

#include <QStringList>
#include <deque>
#include <stdexcept>

#include "platform/qt/prompts.h"

namespace zelanto::testing {

// Answers every prompt from a script and records what was shown.
class FakePrompts : public platform::Prompts {
public:
    struct Shown {
        QString kind;  // "message", "question" or "dialog"
        QString text;  // the message, or the dialog's filters joined by "|"
        QString title;
        QString details;  // what a message box keeps behind its details button
    };

    // Answers for the next questions (true: Yes) and the next dialogs (a path, or "" to cancel).
    std::deque<bool> answers;
    std::deque<QString> paths;
    std::vector<Shown> shown;
    // Runs when a message box is shown, as if the user acted while it was open.
    std::function<void(const QString& text)> onMessage;

    void messageWithDetails(QWidget*, const QString& text, const QString& title,
                            const QString& details) override {
        shown.push_back({"message", text, title, details});
        if (onMessage) {
            onMessage(text);
        }
    }
    bool askYesNo(QWidget*, const QString& text, const QString& title) override {
        shown.push_back({"question", text, title, {}});
        if (answers.empty()) {
            throw std::logic_error("unexpected question: " + text.toStdString());
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString openFile(QWidget*, const QString& title, const QStringList& filters) override {
        shown.push_back({"dialog", filters.join('|'), title, {}});
        if (paths.empty()) {
            throw std::logic_error("unexpected file dialog");
        }
        const QString path = paths.front();
        paths.pop_front();
        return path;
    }

    QStringList messages() const {
        QStringList texts;
        for (const auto& s : shown) {
            if (s.kind == "message") {
                texts << s.text;
            }
        }
        return texts;
    }
};

}  // namespace zelanto::testing
