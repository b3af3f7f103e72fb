#pragma once
// Text in the ANSI code page, as older startup lists are written.

#include "platform/text_codec.h"

namespace quorvel::win32 {

// The system's ANSI code page (CP_ACP).
class AnsiCodePage final : public TextCodec {
  public:
    std::optional<std::string> ToAnsi(std::string_view utf8) const override;
    std::string FromAnsi(std::string_view bytes) const override;
};

}  // namespace quorvel::win32
