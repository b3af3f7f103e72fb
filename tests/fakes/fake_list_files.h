#pragma once
// Fakes for startup list files: file dialogs answering as scripted, and an ANSI code page that is
// Latin-1 (every character up to U+00FF fits, nothing beyond).

#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/text_codec.h"

namespace quorvel::testing {

class FakeFileDialogs final : public FileDialogs {
  public:
    std::optional<std::string> AskOpenPath(std::string_view title, std::string_view initial) override {
        asked.push_back({false, std::string(title), std::string(initial)});
        return answer;
    }
    std::optional<std::string> AskSavePath(std::string_view title, std::string_view initial) override {
        asked.push_back({true, std::string(title), std::string(initial)});
        return answer;
    }

    struct Ask {
        bool save = false;
        std::string title;
        std::string initial;
        bool operator==(const Ask&) const = default;
    };
    std::vector<Ask> asked;
    std::optional<std::string> answer;  // nothing: the user cancels
};

class FakeTextCodec final : public TextCodec {
  public:
    std::optional<std::string> ToAnsi(std::string_view utf8) const override;
    std::string FromAnsi(std::string_view bytes) const override;
};

}  // namespace quorvel::testing
