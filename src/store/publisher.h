#pragma once
// The Publisher column's text for a program file: the signer where the system trusts the signature,
// otherwise the company its version resource names, marked as not verified.

#include <string>

#include "platform/file_facts.h"

namespace quorvel {

std::string PublisherText(const FileDetails& details);

}  // namespace quorvel
