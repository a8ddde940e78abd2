#pragma once

#include <string>

// What a feed run needs of the window: the three fields it reads, and the places where it
// reports progress and trouble. The window implements it; tests record the calls.
class TFeedView {
public:
    virtual ~TFeedView() = default;

    virtual std::string DomainText() const = 0;
    virtual std::string UsernameText() const = 0;
    virtual std::string PasswordText() const = 0;

    virtual void AppendMessageLine(const std::string& line) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetWaitLabelVisible(bool visible) = 0;
    virtual void ShowMessageBox(const std::string& message) = 0;
    virtual void ProcessMessagesNow() = 0;
};
