#include "cli/treeformats/RdfTopicParser.h"

#include "cli/treeformats/HandOver.h"
#include "cli/treeformats/InputFile.h"
#include "cli/treeformats/ReadAhead.h"
#include "cli/treeformats/TreeFormatErrors.h"

#include <expat.h>

#include <exception>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int PieceSize = 1 << 20;
// A batch holds the topics of one piece of the file: enough for the threads to run apart for
// a while, in little memory.
constexpr std::size_t BatchesAhead = 4;

// A text of a batch by its place in the batch's buffer, which may still grow.
struct TTextSpan {
    std::size_t Start = 0;
    std::size_t Size = 0;
};

struct TStoredLink {
    TTextSpan Resource;
    std::size_t Line = 0;
};

struct TStoredTopic {
    TTextSpan Path, CatId, Title;
    bool HasCatId = false;
    // Its symbolic entries in the batch's Links.
    std::size_t FirstLink = 0;
    std::size_t LinkCount = 0;
    std::size_t Line = 0;
};

// Topics in the order of the dump, their texts one after the other in one buffer, so that a
// topic costs no allocation once a batch's buffers have grown.
struct TTopicBatch {
    std::string Text;
    std::vector<TStoredTopic> Topics;
    std::vector<TStoredLink> Links;

    std::string_view TextOf(TTextSpan span) const { return std::string_view(Text).substr(span.Start, span.Size); }

    void Clear()
    {
        Text.clear();
        Topics.clear();
        Links.clear();
    }
};

using TBatches = THandOver<TTopicBatch>;

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
    return local.starts_with(prefix) && local.find_first_not_of("0123456789", prefix.size()) == std::string_view::npos;
}

void TrimXmlSpace(const std::string& text, TTextSpan& span)
{
    constexpr std::string_view space = " \t\r\n";
    const std::string_view value = std::string_view(text).substr(span.Start, span.Size);
    const std::size_t first = value.find_first_not_of(space);
    if (first == std::string_view::npos) {
        span.Size = 0;
        return;
    }
    span.Start += first;
    span.Size = value.find_last_not_of(space) - first + 1;
}

struct TParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// The parser's state between the callbacks of expat, which put each topic straight into the
// batch that is filled. Errors of a callback must not unwind through expat's C frames: they
// are kept, the parser is stopped, and Parse raises them.
class TTopicStream {
public:
    TTopicStream(const std::string& fileName, TBatches& batches)
        : FileName(fileName), Batches(batches), Parser(XML_ParserCreate(nullptr))
    {
        if (!Parser)
            throw std::bad_alloc();
        XML_SetUserData(Parser.get(), this);
        XML_SetElementHandler(Parser.get(), &TTopicStream::StartElement, &TTopicStream::EndElement);
    }

    // Whatever ends the parse, the topics read before it are passed on; so are those of each
    // piece before the next is read, which may wait for a pipe that has stalled.
    template <class TSource>
    void Parse(TSource& source)
    {
        try {
            ParsePieces(source);
        } catch (...) {
            PassBatch();
            throw;
        }
        PassBatch();
    }

private:
    const std::string& FileName;
    TBatches& Batches;
    std::unique_ptr<XML_ParserStruct, TParserFree> Parser;
    std::exception_ptr HandlerError;
    int Depth = 0;
    // The depth of the Topic element being read; 0 outside of one.
    int TopicDepth = 0;
    TTopicBatch* Batch = nullptr;
    TStoredTopic Topic;
    TTextSpan* Collected = nullptr;

    std::size_t CurrentLine() const { return XML_GetCurrentLineNumber(Parser.get()); }

    template <class TSource>
    void ParsePieces(TSource& source)
    {
        for (;;) {
            void* buffer = XML_GetBuffer(Parser.get(), PieceSize);
            if (!buffer)
                FailAtParserError();
            const std::size_t read = source.Read(static_cast<char*>(buffer), PieceSize);
            if (XML_ParseBuffer(Parser.get(), static_cast<int>(read), read == 0) != XML_STATUS_OK)
                FailAtParserError();
            if (read == 0)
                return;
            PassReadTopics();
        }
    }

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
        auto& stream = *static_cast<TTopicStream*>(data);
        stream.Batch->Text.append(text, static_cast<std::size_t>(length));
        stream.Collected->Size += static_cast<std::size_t>(length);
    }

    // Text is taken only inside catid and d:Title, so expat calls back for nothing else. A
    // second element of the kind adds to the text of the first, which is moved to the end of
    // the buffer first so that the text stays in one piece.
    void Collect(TTextSpan& text)
    {
        std::string& buffer = Batch->Text;
        if (text.Start + text.Size != buffer.size()) {
            const std::size_t start = buffer.size();
            buffer.append(buffer, text.Start, text.Size);
            text.Start = start;
        }
        Collected = &text;
        XML_SetCharacterDataHandler(Parser.get(), &TTopicStream::CharacterData);
    }

    void StopCollecting()
    {
        Collected = nullptr;
        XML_SetCharacterDataHandler(Parser.get(), nullptr);
    }

    TTextSpan Stored(const XML_Char* text)
    {
        TTextSpan span{Batch->Text.size(), 0};
        Batch->Text += text;
        span.Size = Batch->Text.size() - span.Start;
        return span;
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
            Collect(Topic.CatId);
            Topic.HasCatId = true;
        } else if (local == "Title") {
            Collect(Topic.Title);
        } else if (IsLinkElement(local)) {
            const XML_Char* resource = AttributeByLocalName(attributes, "resource");
            Batch->Links.push_back({Stored(resource ? resource : ""), CurrentLine()});
            ++Topic.LinkCount;
        }
    }

    void BeginTopic(const XML_Char** attributes)
    {
        const XML_Char* id = AttributeByLocalName(attributes, "id");
        if (!id || !*id)
            throw ETreeInputError(FileName, CurrentLine(), "a Topic without r:id");
        if (!Batch)
            TakeBatch();
        TopicDepth = Depth;
        Topic = TStoredTopic{};
        Topic.Path = Stored(id);
        Topic.CatId.Start = Topic.Title.Start = Batch->Text.size();
        Topic.FirstLink = Batch->Links.size();
        Topic.Line = CurrentLine();
    }

    void End()
    {
        if (Depth == TopicDepth) {
            TopicDepth = 0;
            TrimXmlSpace(Batch->Text, Topic.CatId);
            TrimXmlSpace(Batch->Text, Topic.Title);
            Batch->Topics.push_back(Topic);
        }
        if (Collected)
            StopCollecting();
        --Depth;
    }

    // The reader of the topics gave up when no batch comes back.
    void TakeBatch()
    {
        Batch = Batches.Empty();
        if (!Batch)
            throw EStopRequested();
        Batch->Clear();
    }

    void PassBatch()
    {
        if (!Batch || Batch->Topics.empty())
            return;
        Batches.Pass(Batch);
        Batch = nullptr;
    }

    // The topics read so far, without the one still open, whose texts and links move on to
    // the next batch: they are the last of the batch's buffers.
    void PassReadTopics()
    {
        if (TopicDepth == 0 || !Batch || Batch->Topics.empty())
            return PassBatch();
        TTopicBatch& read = *Batch;
        TakeBatch();
        const std::size_t start = Topic.Path.Start;
        Batch->Text.assign(read.Text, start);
        for (std::size_t link = Topic.FirstLink; link < read.Links.size(); ++link) {
            Batch->Links.push_back(read.Links[link]);
            Batch->Links.back().Resource.Start -= start;
        }
        read.Links.resize(Topic.FirstLink);
        Topic.Path.Start -= start;
        Topic.CatId.Start -= start;
        Topic.Title.Start -= start;
        Topic.FirstLink = 0;
        Batches.Pass(&read);
    }
};

// The thread that reads and parses the file, and its end whatever way the reading ends.
class TTopicPipeline {
public:
    // Opens the file here, so that an open that waits (a pipe without a writer) can be
    // interrupted as before.
    explicit TTopicPipeline(const std::string& fileName) : File(fileName, &WorkerStop), Parser([this] { Produce(); }) {}

    ~TTopicPipeline()
    {
        WorkerStop.Request();
        Batches.GiveUp();
        Parser.join();
    }

    TTopicPipeline(const TTopicPipeline&) = delete;
    TTopicPipeline& operator=(const TTopicPipeline&) = delete;

    TBatches Batches{BatchesAhead};

private:
    // Ends the threads' waits for data once the reader of the topics is done.
    TStopRequest WorkerStop;
    TInputFile File;
    std::thread Parser;

    // The read-ahead outlives the parse, so that a failure is passed on before its thread is
    // waited for.
    void Produce()
    {
        std::optional<TReadAhead> ahead;
        try {
            TTopicStream stream(File.FileName(), Batches);
            if (File.IsCompressed())
                stream.Parse(ahead.emplace(File));
            else
                stream.Parse(File);
            Batches.Finish();
        } catch (...) {
            Batches.Fail(std::current_exception());
        }
    }
};

TRdfTopic TopicOf(const TTopicBatch& batch, const TStoredTopic& stored, std::vector<TRdfLink>& links)
{
    links.clear();
    for (std::size_t link = stored.FirstLink; link < stored.FirstLink + stored.LinkCount; ++link)
        links.push_back({batch.TextOf(batch.Links[link].Resource), batch.Links[link].Line});
    return {batch.TextOf(stored.Path),
            batch.TextOf(stored.CatId),
            batch.TextOf(stored.Title),
            stored.HasCatId,
            links,
            stored.Line};
}

}  // namespace

void ParseRdfTopics(const std::string& fileName, const TRdfTopicHandler& onTopic, const TStopRequest* stop)
{
    TTopicPipeline pipeline(fileName);
    std::vector<TRdfLink> links;
    while (TTopicBatch* batch = pipeline.Batches.Next(stop)) {
        for (const TStoredTopic& stored : batch->Topics)
            onTopic(TopicOf(*batch, stored, links));
        pipeline.Batches.GiveBack(batch);
    }
}
