#pragma once
// quorvelc's standard output and standard error: correct Unicode on a console, UTF-8 when redirected.

#include "platform/console.h"

namespace quorvel::win32 {

class StandardStreams final : public Console {
  public:
    void Out(std::string_view text) override;
    void Err(std::string_view text) override;
};

}  // namespace quorvel::win32
