#include "cli/treeformats/RdfTopicParser.h"

#include "cli/treeformats/InputFile.h"
#include "cli/treeformats/TreeFormatErrors.h"

#include <expat.h>

#include <cstring>
#include <exception>
#include <memory>
#include <string_view>

namespace {

constexpr int PieceSize = 1 << 20;

std::string_view LocalName(const XML_Char* name)
{
    const std::string_view qualified(name);
    const std::size_t colon = qualified.rfind(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

const XML_Char* AttributeByLocalName(const XML_Char** attributes, std::string_view local)
{
    for (; attributes[0]; attributes += 2)
        if (LocalName(attributes[0]) == local)
            return attributes[1];
    return nullptr;
}

bool IsLinkElement(std::string_view local)
{
    constexpr std::string_view prefix = "symbolic";
    return local.starts_with(prefix) &&
           local.find_first_not_of("0123456789", prefix.size()) == std::string_view::npos;
}

void TrimXmlSpace(std::string& text)
{
    constexpr const char* space = " \t\r\n";
    const std::size_t last = text.find_last_not_of(space);
    text.erase(last == std::string::npos ? 0 : last + 1);
    text.erase(0, text.find_first_not_of(space));
}

struct TParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// The parser's state between the callbacks of expat. Errors of a callback must not unwind
// through expat's C frames: they are kept, the parser is stopped, and Parse raises them.
class TTopicStream {
public:
    TTopicStream(const std::string& fileName, const TRdfTopicParser::TTopicHandler& onTopic)
        : FileName(fileName), OnTopic(onTopic), Parser(XML_ParserCreate(nullptr))
    {
        if (!Parser)
            throw std::bad_alloc();
        XML_SetUserData(Parser.get(), this);
        XML_SetElementHandler(Parser.get(), &TTopicStream::StartElement, &TTopicStream::EndElement);
    }

    void Parse(TInputFile& file)
    {
        for (;;) {
            void* buffer = XML_GetBuffer(Parser.get(), PieceSize);
            if (!buffer)
                FailAtParserError();
            const std::size_t read = file.Read(static_cast<char*>(buffer), PieceSize);
            if (XML_ParseBuffer(Parser.get(), static_cast<int>(read), read == 0) != XML_STATUS_OK)
                FailAtParserError();
            if (read == 0)
                return;
        }
    }

private:
    const std::string& FileName;
    const TRdfTopicParser::TTopicHandler& OnTopic;
    std::unique_ptr<XML_ParserStruct, TParserFree> Parser;
    std::exception_ptr HandlerError;
    int Depth = 0;
    // The depth of the Topic element being read; 0 outside of one.
    int TopicDepth = 0;
    std::string* Collected = nullptr;
    TRdfTopic Topic;

    std::size_t CurrentLine() const { return XML_GetCurrentLineNumber(Parser.get()); }

    [[noreturn]] void FailAtParserError()
    {
        if (HandlerError)
            std::rethrow_exception(HandlerError);
        throw ETreeInputError(FileName, CurrentLine(), XML_ErrorString(XML_GetErrorCode(Parser.get())));
    }

    template <class TWork>
    static void Guarded(void* data, TWork work)
    {
        auto* stream = static_cast<TTopicStream*>(data);
        try {
            work(*stream);
        } catch (...) {
            stream->HandlerError = std::current_exception();
            XML_StopParser(stream->Parser.get(), XML_FALSE);
        }
    }

    static void XMLCALL StartElement(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        Guarded(data, [&](TTopicStream& stream) { stream.Start(LocalName(name), attributes); });
    }

    static void XMLCALL EndElement(void* data, const XML_Char*)
    {
        Guarded(data, [](TTopicStream& stream) { stream.End(); });
    }

    static void XMLCALL CharacterData(void* data, const XML_Char* text, int length)
    {
        static_cast<TTopicStream*>(data)->Collected->append(text, static_cast<std::size_t>(length));
    }

    // Text is taken only inside catid and d:Title, so expat calls back for nothing else.
    void Collect(std::string* text)
    {
        Collected = text;
        XML_SetCharacterDataHandler(Parser.get(), text ? &TTopicStream::CharacterData : nullptr);
    }

    void Start(std::string_view local, const XML_Char** attributes)
    {
        ++Depth;
        if (TopicDepth == 0) {
            if (local == "Topic")
                BeginTopic(attributes);
            return;
        }
        if (Depth != TopicDepth + 1)
            return;
        if (local == "catid") {
            Collect(&Topic.CatId);
            Topic.HasCatId = true;
        } else if (local == "Title") {
            Collect(&Topic.Title);
        } else if (IsLinkElement(local)) {
            const XML_Char* resource = AttributeByLocalName(attributes, "resource");
            Topic.Links.push_back({resource ? resource : "", CurrentLine()});
        }
    }

    void BeginTopic(const XML_Char** attributes)
    {
        const XML_Char* id = AttributeByLocalName(attributes, "id");
        if (!id || !*id)
            throw ETreeInputError(FileName, CurrentLine(), "a Topic without r:id");
        TopicDepth = Depth;
        Topic.Path = id;
        Topic.CatId.clear();
        Topic.Title.clear();
        Topic.HasCatId = false;
        Topic.Links.clear();
        Topic.Line = CurrentLine();
    }

    void End()
    {
        if (Depth == TopicDepth) {
            TopicDepth = 0;
            TrimXmlSpace(Topic.CatId);
            TrimXmlSpace(Topic.Title);
            OnTopic(Topic);
        }
        if (Collected)
            Collect(nullptr);
        --Depth;
    }
};

}  // namespace

TRdfTopicParser::TRdfTopicParser(std::string fileName, TTopicHandler onTopic, const TStopRequest* stop)
    : FileName(std::move(fileName)), OnTopic(std::move(onTopic)), Stop(stop)
{
}

void TRdfTopicParser::Parse()
{
    TInputFile file(FileName, Stop);
    TTopicStream stream(FileName, OnTopic);
    stream.Parse(file);
}
