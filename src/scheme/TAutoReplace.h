#pragma once

#include "scheme/TMacroKeywords.h"

#include <string>

namespace lrl {

// The auto-replace list of a scheme: words replaced as they are typed, and the action keys that
// trigger the replacement (characters, or \{Return}, \{Tab}, \{Space}). Entries keep the word as name
// and the replacement as body. Stored as the templates are, followed by a short string of action keys.
class TAutoReplace : public TMacroKeywords {
public:
    const std::string& actionKeys() const { return m_actionKeys; }
    void setActionKeys(const std::string& keys) { m_actionKeys = keys; }

    void addReplacement(const std::string& word, const std::string& replacement) { add(word, {}, replacement); }

    void saveToStream(Stream& stream) const override;
    void loadFromStream(Stream& stream) override;

    bool operator==(const TAutoReplace& o) const
    {
        return TMacroKeywords::operator==(o) && m_actionKeys == o.m_actionKeys;
    }

private:
    std::string m_actionKeys;
};

} // namespace lrl
