// Dialogs for tests: the open dialog answers from a script, message boxes are recorded.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "editor_dialogs.h"

namespace zentrax::editor::test {

struct OpenCall {
  QString title, startDir, proposedName, filter;
};

struct Message {
  QString title, text;
  bool operator==(const Message&) const = default;
};

class ScriptedDialogs final : public EditorDialogs {
 public:
  // The paths the open dialog yields, one per call; an empty one is a cancel.
  std::deque<QString> answers;
  std::vector<OpenCall> opens;
  std::vector<Message> messages;
  // Runs while a message box would be open.
  std::function<void(const Message&)> whileShown;

  QString openRomPath(const QString& title, const QString& startDir, const QString& proposedName,
                      const QString& filter) override {
    opens.push_back({title, startDir, proposedName, filter});
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void message(const QString& title, const QString& text) override {
    messages.push_back({title, text});
    if (whileShown) whileShown(messages.back());
  }
};

}  // namespace zentrax::editor::test
