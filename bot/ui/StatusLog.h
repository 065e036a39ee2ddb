#pragma once
// The status log box txtStatus: the bot's report channel to the operator. Each entry is CR LF,
// "[", the local time of day, "] " and the message; the newest entry is the last line.

#include <QPlainTextEdit>
#include <string>

namespace quorvane {

class StatusLog : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit StatusLog(QWidget* parent = nullptr);

    // Appends one entry, leaves the caret at the end and echoes the entry to standard output as
    // one line, so a bot on a server without a desktop still reports. Costs the same however long
    // the log has grown: only the new entry is added to the box.
    void display(const std::string& msg);

    // The whole log exactly as entered, line breaks as CR LF.
    const std::string& logText() const { return log_; }

  private:
    std::string log_;
};

}  // namespace quorvane
