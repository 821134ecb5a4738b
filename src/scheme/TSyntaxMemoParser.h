#pragma once

#include "common/Persistent.h"
#include "scheme/ParserClient.h"
#include "scheme/SchemeTable.h"
#include "scheme/TSM_Scanner.h"
#include "scheme/TSM_ViewerList.h"
#include "scheme/TokenStyle.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

class CharStream;
class SettingsStore;
class Stream;

// The scanner component: it owns a compiled scheme table, keeps it as its binary Parser property, and
// (built on this class) compiles scripts into the table and scans text with it.
//
// Stored form of the table (the Parser property): 16-bit version 51, the 32-bit size of the table's
// layout, then the layout compressed with the KH method. Tables of version 50 load too (they lack the
// gutter font); older ones are refused with a version error and leave the table empty.
class TSyntaxMemoParser : public Persistent {
public:
    static constexpr uint16_t kVersion = 51;
    static constexpr uint16_t kOldestVersion = 50;

    // A "match" routine: reads from stream, adds the characters it accepts to length, may set the token
    // value, and answers whether it accepted.
    using TCustomParseEvent = std::function<bool(
        TSyntaxMemoParser& sender, int32_t parseId, CharStream& stream, int32_t& length, int32_t& value)>;
    // A stored table of another version met at run time.
    using TVersionErrorEvent = std::function<void(
        TSyntaxMemoParser& sender, uint16_t versionEncountered, uint16_t versionExpected)>;
    // Shows an information text with an OK button; the program puts its message box here.
    using InformationBox = std::function<void(const std::string& text)>;

    TSyntaxMemoParser();
    explicit TSyntaxMemoParser(std::string name);
    ~TSyntaxMemoParser() override;
    TSyntaxMemoParser(const TSyntaxMemoParser&) = delete;
    TSyntaxMemoParser& operator=(const TSyntaxMemoParser&) = delete;

    const char* className() const override { return "TSyntaxMemoParser"; }

    // The component's name, which prefixes its error messages.
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    SchemeTable& table() { return m_table; }
    const SchemeTable& table() const { return m_table; }
    TSM_Settings& settings() { return m_table.settings(); }
    const TSM_Settings& settings() const { return m_table.settings(); }

    // Published properties.
    bool AutoScriptUpdate = false;
    std::string Compile = "Compiled";
    std::string RegistryKey;
    std::string Script;
    bool UseRegistry = false;
    TCustomParseEvent OnCustomParse;
    TVersionErrorEvent OnParserVersionError;

    // Where the version text goes when no OnParserVersionError handler is assigned; by default standard
    // error.
    InformationBox informationBox;

    // Writes the stored form. Any failure is raised as ESyntaxMemo "%s: %s" (name, message).
    void saveTableToStream(Stream& stream) const;
    // Clears the table and reads the stored form. A version below 50 raises ESyntaxMemoParserError while
    // the component is read from its form and is reported through OnParserVersionError (or the
    // information box) otherwise; either way the table stays empty. Any other failure leaves the table
    // empty and is raised as ESyntaxMemo "%s: %s" (name, message).
    void loadTableFromStream(Stream& stream);

    // The Parser property as bytes, and setting it (which loads the table).
    std::vector<uint8_t> parser() const;
    void setParser(std::span<const uint8_t> bytes);

    // Whether the component is being read from its form (the stored description of its window).
    bool readingFromForm() const { return m_readingFromForm; }
    void setReadingFromForm(bool reading) { m_readingFromForm = reading; }

    // Copies the table of another scanner component through a memory stream; any other source raises
    // ESyntaxMemo "Cannot assign a %s to %s".
    void assign(const Persistent& source);

    // Compiles the script file named by Script into the table; names in angle brackets are looked up in
    // the script's folder. A file that cannot be read raises EFOpenError and leaves the table as it was.
    // A compile error raises ESYM_COMP_ERROR and leaves the table as far as it was built.
    void compileScriptFile();
    // Compiles a script read from a stream; includeDir is the folder for names in angle brackets.
    void compileScript(Stream& script, const std::string& includeDir);
    // The construct the last compile was at when it ended ("Header", "%%Tokens - 3", ...), and the line
    // and column (from 1) it had reached, for a script editor to show.
    const std::string& compileLabel() const { return m_compileLabel; }
    int compileLine() const { return m_compileLine; }
    int compileColumn() const { return m_compileColumn; }

    // ---- The user's styles and key assignments (kept in a settings store)

    // The value names under RegistryKey: "Highlighting - " and "Key Assignments - " followed by the
    // scheme's language name.
    std::string styleValueName() const;
    std::string keyAssignmentValueName() const;

    // Writes the style string (text) and the key assignments (bytes) under RegistryKey, creating the
    // section when needed, and flushes the store. Without UseRegistry or with an empty RegistryKey it
    // raises ESyntaxMemo "Registry interface disabled in: " + name.
    void SaveStyles(SettingsStore& store);
    // Reads the styles stored under RegistryKey (same precondition as SaveStyles) or under an explicit
    // key path. A missing style value changes nothing and answers false. Otherwise the style string is
    // applied, then the key assignments when their value holds the signature, and the attached viewers
    // take over the scheme again; answers true. Any failure is raised as ESyntaxMemo with the text
    // "Invalid data in registry entry", a blank and, in double quotes, the key path, a backslash and the
    // style value name; what was read before the failure stays.
    bool LoadStyles(SettingsStore& store);
    bool LoadStylesFromKey(SettingsStore& store, const std::string& keyPath);
    // Applies a style string as if it had been loaded (without key assignments) and lets the attached
    // viewers take over the scheme again. Raises ESyntaxMemo "Invalid data in style string" (see
    // applyStyleString).
    void applyStyles(std::string_view styleString);
    // What follows OK in the options dialog, once the dialog's working settings are in settings(): the
    // attached viewers take over the scheme again and, when UseRegistry is set and RegistryKey is not
    // empty, SaveStyles runs (its failures pass on).
    void optionsAccepted(SettingsStore& store);

    // ---- Scanning: what a viewer calls (the scanner's own state lives in TSM_Scanner) ----

    // Recognises the token at the stream's position (see TSM_Scanner::next), attaching viewer first
    // if it is not attached yet.
    uint8_t nextToken(ParserClient* viewer, CharStream& stream, int32_t& length)
    {
        if (viewer)
            m_viewers.ensureAttached(*viewer);
        return m_scanner.next(stream, length);
    }
    // Starts a scan in the context of a token value (see TSM_Scanner::reset).
    void reset(int value) { m_scanner.reset(value); }
    // The token values at which a scan may restart.
    Set256 anchorSet() const { return m_table.anchorSet(); }
    // Whether a current state is a bound state: the viewer then goes on past agreement.
    bool inBoundState() const { return m_scanner.inBoundState(); }
    // Set while a container token is being scanned again.
    bool busy() const { return m_scanner.busy(); }
    // Whether the scan may stop at a line whose token values came out unchanged.
    bool safeStop() const { return !m_scanner.inContainer(); }
    // False when the scheme has "match" routines but no OnCustomParse handler: then nothing is
    // highlighted.
    bool canHighlight() const { return !m_table.customParse() || bool(OnCustomParse); }
    TSM_Scanner& scanner() { return m_scanner; }
    const TSM_Scanner& scanner() const { return m_scanner; }

    // ---- Viewers ----
    void attachViewer(ParserClient& viewer) { m_viewers.attach(viewer); }
    void detachViewer(ParserClient& viewer) { m_viewers.detach(viewer); }
    bool isAttached(const ParserClient& viewer) const { return m_viewers.attached(viewer); }
    const std::vector<ParserClient*>& viewers() const { return m_viewers.viewers(); }
    // Tells every attached viewer to take over the scheme again (after a compile, a load, the options).
    void activateViewers() { m_viewers.activateAll(); }

    // ---- Effects ----
    const TSM_Effect& effectOf(uint8_t value) const { return tokenEffect(settings(), value); }
    TokenStyle styleOf(uint8_t value, int32_t defaultForeground, int32_t defaultBackground) const
    {
        return tokenStyle(settings(), value, defaultForeground, defaultBackground);
    }

private:
    void reportVersion(uint16_t version);
    void requireRegistry() const;

    std::string m_name;
    SchemeTable m_table;
    bool m_readingFromForm = false;
    std::string m_compileLabel;
    int m_compileLine = 0;
    int m_compileColumn = 0;
    TSM_Scanner m_scanner { *this };
    // Last, so that viewers are told first when the component goes.
    TSM_ViewerList m_viewers { *this };
};

} // namespace lrl
