// Reading story scripts into records: defaults, values, vocabularies and
// every way a script is refused.
#include "scenario/event_script.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "assets/temp_tree.h"

namespace {

SEventScriptRecord Parse(const std::string& xml) { return ParseEventScript(xml, "test.xml"); }

// The one event of a script with one bundler and one sequence.
SEventRecord OnlyEvent(const std::string& eventXml) {
  const SEventScriptRecord s = Parse("<script><bundler><sequence>" + eventXml + "</sequence></bundler></script>");
  EXPECT_EQ(s.bundlers.size(), 1u);
  EXPECT_EQ(s.bundlers[0].sequences.size(), 1u);
  EXPECT_EQ(s.bundlers[0].sequences[0].events.size(), 1u);
  return s.bundlers[0].sequences[0].events.at(0);
}

TEST(EventScript, AnEventTakesItsAttributesWhateverItsTypeOrTheirDefaults) {
  const SEventRecord bare{.type = EEventType::Wait, .line = 1, .name = "", .unitTag = "", .imagePath = "",
                          .direction = EDirection4::LEFT, .directionFixed = false, .emotion = EEmotion::ANGERY,
                          .continueFrame = 60, .speed = 2.5, .filePath = "", .target = {0.0, 0.0}, .grid = {0, 0},
                          .frame = 0, .csvPath = "", .transitionType = ETransition::WIPEOUT, .steps = {}, .pages = {}};
  EXPECT_EQ(OnlyEvent(R"(<event type="Wait"/>)"), bare);
  const SEventRecord full{.type = EEventType::Turn, .line = 1, .name = "ナイト", .unitTag = "knight",
                          .imagePath = "dat/image/ziki/knight.png", .direction = EDirection4::RIGHT,
                          .directionFixed = false,  // only the exact text "true"
                          .emotion = EEmotion::MUSICAL_NOTE, .continueFrame = -5, .speed = -1.25,
                          .filePath = "dat/bgm/bgml019.mp3", .target = {400.5, -3.0}, .grid = {4, -7}, .frame = 12,
                          .csvPath = "dat/map/map01.csv", .transitionType = ETransition::BLACKIN, .steps = {},
                          .pages = {}};
  EXPECT_EQ(OnlyEvent(
                R"(<event type="Turn" name="ナイト" unitTag="knight" imagePath="dat/image/ziki/knight.png" gridX="4")"
                R"( gridY="-7" direction="right" directionFixed="True" emotion="musical_note" continueFrame="-5")"
                R"( speed="-1.25" targetX="400.5" targetY="-3" frame="12" csvPath="dat/map/map01.csv")"
                R"( filePath="dat/bgm/bgml019.mp3" transitionType="BlackIn"/>)"),
            full);
  EXPECT_TRUE(OnlyEvent(R"(<event type="Move" directionFixed="true"/>)").directionFixed);

  const SEventScriptRecord s = Parse("<script><bundler><sequence/></bundler></script>");
  EXPECT_EQ(s.nextScriptPath, "") << "no next script ends the story";
  EXPECT_EQ(s.bundlers.at(0).sequences.at(0).startFrame, 0);
}

TEST(EventScript, StepsAndPagesKeepTheirOrder) {
  const SEventRecord move = OnlyEvent(
      "<event type=\"Move\"><direction repeat=\"3\">down</direction><direction repeat=\"0\">UP</direction>"
      "<direction repeat=\"-2\">UP</direction><direction>RIGHT </direction><direction>u<!-- -->p</direction>"
      "</event>");
  using enum EDirection4;
  EXPECT_EQ(move.steps, (std::vector<EDirection4>{DOWN, DOWN, DOWN, LEFT, UP}))
      << "repeat 0 or less adds nothing; a trailing space is no name; a comment splits no word";

  const SEventRecord say = OnlyEvent(
      "<event type=\"Say\" unitTag=\"k\"><text icon=\"ziki/knight_face.png\">行こう\\みんな</text>"
      "<text><![CDATA[a<b]]>\\\\</text></event>");
  EXPECT_EQ(say.pages, (std::vector<SEventPage>{{"ziki/knight_face.png", "行こう\nみんな"}, {"", "a<b\n\n"}}));

  EXPECT_EQ(ParseDirectionName("ＵＰ"), EDirection4::LEFT) << "full-width letters are no ASCII";
  EXPECT_EQ(ParseEmotionName("angry"), EEmotion::SURPRISE) << "the scripts spell it ANGERY";
}

TEST(EventScript, BundlersSequencesAndEventsKeepDocumentOrderPastForeignMarkup) {
  const SEventScriptRecord s = Parse(R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- a scene -->
<script nextScriptPath="dat/script/event/next.xml">
  loose words
  <bundler>
    <sequence><event type="BGM"/><note>ignored<event type="Jump"/></note></sequence>
    <sequence startFrame="30"><event type="Wait" frame="5"/></sequence>
  </bundler>
  <bundler/>
  <bundler><sequence startFrame="-4"/></bundler>
</script>)");
  EXPECT_EQ(s.nextScriptPath, "dat/script/event/next.xml");
  ASSERT_EQ(s.bundlers.size(), 3u);
  ASSERT_EQ(s.bundlers[0].sequences.size(), 2u);
  const auto& first = s.bundlers[0].sequences[0].events;
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].type, EEventType::BGM);
  EXPECT_EQ(std::pair(first[1].type, first[1].line), std::pair(EEventType::Jump, 6)) << "wrapped harmlessly";
  EXPECT_EQ(std::pair(s.bundlers[0].sequences[1].startFrame, s.bundlers[0].sequences[1].events.at(0).frame),
            std::pair(30, 5));
  EXPECT_TRUE(s.bundlers[1].sequences.empty());
  EXPECT_EQ(s.bundlers[2].sequences.at(0).startFrame, -4);
}

TEST(EventScript, NumbersAreDecimalAndNothingElse) {
  const SEventRecord a = OnlyEvent(
      R"(<event type="Wait" frame="007" continueFrame="-2147483648" speed=".5" targetX="-320000" gridY="10000"/>)");
  EXPECT_EQ(std::tuple(a.frame, a.continueFrame, a.speed, a.target.x, a.grid.y),
            std::tuple(7, -2147483647 - 1, 0.5, -320000.0, 10000));
  EXPECT_EQ(OnlyEvent(R"(<event type="Wait" speed="3."/>)").speed, 3.0);
  EXPECT_EQ(OnlyEvent(R"(<event type="Wait" speed="-0.75"/>)").speed, -0.75);
  struct Fault {
    const char* attribute;
    const char* message;
  };
  for (const Fault& f : std::vector<Fault>{
           {R"(frame="")", R"(<event> frame="" is not a whole number in the int range)"},
           {R"(frame="12abc")", R"(frame="12abc" is not a whole number)"},
           {R"(frame="+5")", R"(frame="+5" is not)"},
           {R"(frame="1.5")", R"(frame="1.5" is not)"},
           {R"(continueFrame="2147483648")", R"(continueFrame="2147483648" is not a whole number in the int range)"},
           {R"(speed="nan")", R"(<event> speed="nan" is not a decimal number)"},
           {R"(speed="inf")", R"(speed="inf" is not)"},
           {R"(speed=".")", R"(speed="." is not)"},
           {R"(speed="1e3")", R"(speed="1e3" is not)"},
           {R"(targetY="320000.5")", R"(targetY="320000.5" lies outside -320000..320000)"},
           {R"(gridY="-10001")", R"(gridY="-10001" is below -10000)"},
       }) {
    try {
      Parse(std::string("<script><bundler><sequence>\n<event type=\"Say\" ") + f.attribute +
            "/></sequence></bundler></script>");
      ADD_FAILURE() << f.attribute << " was taken";
    } catch (const CEventScriptError& e) {
      EXPECT_EQ(e.GetLine(), 2) << f.attribute;
      EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
      EXPECT_TRUE(std::string(e.what()).starts_with("event script 'test.xml' line 2: ")) << e.what();
    }
  }
  // The sequence's start frame is a number too.
  EXPECT_THROW(Parse(R"(<script><bundler><sequence startFrame="1x"/></bundler></script>)"), CEventScriptError);
}

TEST(EventScript, AScriptThatCannotBeReadIsRefusedWithTheFileLineAndReason) {
  struct Fault {
    const char* xml;
    int line;
    const char* reason;
  };
  const std::string inSequence = "<script><bundler><sequence>\n";
  const std::string close = "\n</sequence></bundler></script>";
  for (const Fault& f : std::vector<Fault>{
           {"", 1, "not well-formed XML at column 0: no element found"},
           {"<script><bundler></script>", 1, "mismatched tag"},
           {"<script/><script/>", 1, "junk after document element"},
           {"<!DOCTYPE script [<!ENTITY a \"aaaa\">]><script>&a;</script>", 1, "declares an entity; scripts may not"},
           {"<scene><script/></scene>", 1, "the outermost element is <scene>, not <script>"},
           {"<script><script/></script>", 1, "<script> stands inside another element"},
           {"<script>\n<sequence/></script>", 2, "<sequence> stands outside a <bundler> (inside <script>)"},
           {"<script><bundler>\n<event type=\"Wait\"/></bundler></script>", 2,
            "<event> stands outside a <sequence> (inside <bundler>)"},
           {"<script><bundler><sequence>\n<direction>UP</direction></sequence></bundler></script>", 2,
            "<direction> stands outside a <event> (inside <sequence>)"},
           {"<script><bundler><sequence><event type=\"Wait\">\n<event type=\"Wait\"/></event></sequence></bundler>"
            "</script>",
            2, "<event> stands outside a <sequence> (inside <event>)"},
           {"<script><bundler/></script>\n<bundler/>", 2, "junk after document element"},
       }) {
    try {
      Parse(f.xml);
      ADD_FAILURE() << f.xml << " was taken";
    } catch (const CEventScriptError& e) {
      EXPECT_EQ(e.GetLine(), f.line) << f.xml;
      EXPECT_NE(e.GetReason().find(f.reason), std::string::npos) << e.GetReason();
    }
  }
  for (const Fault& f : std::vector<Fault>{
           {"<event/>", 2, "<event> has no type"},
           {"<event type=\"say\"/>", 2, "<event> type=\"say\" is unknown"},
           {"<event type=\"Move\">\n<direction repeat=\"1001\">UP</direction></event>", 3,
            "<direction> repeat=\"1001\" is above 1000"},
       }) {
    try {
      Parse(inSequence + f.xml + close);
      ADD_FAILURE() << f.xml << " was taken";
    } catch (const CEventScriptError& e) {
      EXPECT_EQ(e.GetReason(), "line " + std::to_string(f.line) + ": " + f.reason);
    }
  }
  EXPECT_EQ(OnlyEvent("<event type=\"Move\"><direction repeat=\"1000\">UP</direction></event>").steps.size(), 1000u);
}

TEST(EventScript, FilesThatAreMissingOrNoFilesAreRefusedByName) {
  CTempTree tree("event_script_files");
  tree.Write("good.xml", "<script nextScriptPath=\"x.xml\"/>");
  tree.Write("folder.xml/inside.txt");
  EXPECT_EQ(ReadEventScriptFile(tree.Path("good.xml")).nextScriptPath, "x.xml");
  for (const auto& [path, reason] : {std::pair{tree.Path("missing.xml"), "there is no such file"},
                                     std::pair{tree.Path("folder.xml"), "it is not a plain file"}}) {
    try {
      ReadEventScriptFile(path);
      ADD_FAILURE() << path;
    } catch (const CEventScriptError& e) {
      EXPECT_EQ(std::string(e.what()), "event script '" + path + "': " + reason);
      EXPECT_EQ(e.GetLine(), 0);
    }
  }
}

}  // namespace
