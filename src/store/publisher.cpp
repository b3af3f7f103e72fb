#include "store/publisher.h"

#include "words/publisher_words.h"

namespace quorvel {

std::string PublisherText(const FileDetails& details) {
    switch (details.signature) {
        // Never the company: only the signer's name is vouched for.
        case Signature::kVerified: return words::VerifiedPublisher(details.signer);
        case Signature::kNotTrusted:
            return words::UntrustedPublisher(details.signer.empty() ? details.company : details.signer);
        case Signature::kNone:
        case Signature::kUnknown: break;
    }
    return words::UnverifiedPublisher(details.company);
}

}  // namespace quorvel
