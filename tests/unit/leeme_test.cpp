#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_encoding.hpp"
#include "ui/design.hpp"

namespace nocturo {
namespace {

const std::string kSeparator(66, '-');

// The lines without their CR LF; a final piece without CR LF is kept too, so
// that a missing ending shows up as an extra line.
std::vector<std::string> Lines() {
  std::vector<std::string> lines;
  std::string_view text = LeemeText();
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) {
      break;
    }
    text.remove_prefix(end + 2);
  }
  return lines;
}

std::size_t IndexOf(const std::vector<std::string>& lines, std::string_view line) {
  return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// Size and line endings

TEST(LeemeText, Has110LinesEachEndedByCrLf) {
  const std::string_view text = LeemeText();
  ASSERT_TRUE(text.ends_with("Bye\r\n"));
  EXPECT_EQ(Lines().size(), 110U);
  std::size_t crlf = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
      ++crlf;
    }
  }
  EXPECT_EQ(crlf, 110U);
}

TEST(LeemeText, Is3627CharactersInCodePage1252) {
  const std::string ansi = Utf8ToCp1252(LeemeText());
  EXPECT_EQ(ansi.size(), 3627U);
  // Only a character that the code page lacks fails to come back.
  EXPECT_EQ(Cp1252ToUtf8(ansi), LeemeText());
}

TEST(LeemeText, KeepsEveryLineWithinTheSeparatorWidth) {
  for (const auto& line : Lines()) {
    EXPECT_LE(Utf8ToCp1252(line).size(), 66U) << line;
  }
}

// Heading and sections

TEST(LeemeText, OpensWithTheHeadingAndEndsWithBye) {
  const auto lines = Lines();
  EXPECT_EQ(lines.front(), "Nocturo v2.5 para Windows 9X/NT/2000");
  EXPECT_EQ(lines.back(), "Bye");
}

TEST(LeemeText, PlacesSeparatorsAroundTheLicenceTitleAndUnderTheOthers) {
  const auto lines = Lines();
  std::vector<std::size_t> separators;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('-') != std::string::npos &&
        lines[i].find_first_not_of('-') == std::string::npos) {
      EXPECT_EQ(lines[i], kSeparator) << "line " << i + 1;
      separators.push_back(i);
    }
  }
  const std::vector<std::string_view> titles = {"1. Licencia", "2. Historia", "3. Funcionamiento",
                                                "4. Versión", "5. Actualizaciones"};
  ASSERT_EQ(separators.size(), titles.size() + 1);
  const std::size_t licencia = IndexOf(lines, titles[0]);
  ASSERT_LT(licencia, lines.size());
  EXPECT_EQ(separators[0], licencia - 1);
  for (std::size_t t = 0; t < titles.size(); ++t) {
    const std::size_t title = IndexOf(lines, titles[t]);
    ASSERT_LT(title, lines.size()) << titles[t];
    EXPECT_EQ(separators[t + 1], title + 1) << titles[t];
    if (t > 0) {
      EXPECT_GT(title, IndexOf(lines, titles[t - 1])) << titles[t];
    }
  }
}

// The switch help

TEST(LeemeText, DocumentsTheSwitchesLineByLine) {
  const std::vector<std::string> help = {
      " /AXXXX\t          desconexión a las XX:XX",
      "",
      " ej: /A2230       desconexión a las 22:30",
      "",
      " /DXXX\t\t  desconexión pasados XXX minutos",
      std::string(17, ' '),
      " /MA\t\t  apaga el ordenador",
      "",
      " /MR\t\t  resetea",
      "",
      " /ML\t\t  hace un logoff",
      "",
      "NOTA: /MA, /MR y /ML son excluyentes.",
      "",
      " /F\t\t  modo \"forzado\"",
      "",
      " /E\t\t  empieza a funcionar",
      "",
      " /S\t\t  arranca el programa en ventana,",
      "\t\t  aparte del icono de la barra de",
      "\t\t  tareas",
      "",
      " /I\t\t  apagado inmediato, ejecuta",
      "directamente la orden",
      "\t\t  sin esperar los 30s de \"seguridad\".",
      "Este comando",
      "\t\t  ignora los comandos de tiempos,",
      "pero los de modo",
      "\t\t  de apagado.",
      "",
      " ej: /F /MA /I te apaga el equipo pase lo que pase ;-)",
      "",
      "No es demasiado complicado.",
  };
  const auto lines = Lines();
  const std::size_t intro = IndexOf(lines, "funcionan los mismos:");
  ASSERT_LT(intro, lines.size());
  ASSERT_LE(intro + 2 + help.size(), lines.size());
  EXPECT_EQ(lines[intro + 1], "");
  for (std::size_t i = 0; i < help.size(); ++i) {
    EXPECT_EQ(lines[intro + 2 + i], help[i]) << "switch help line " << i + 1;
  }
}

TEST(LeemeText, TellsTheJokeBeforeTheSwitchHelp) {
  const auto lines = Lines();
  const auto joke = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("solo está disponible en CD-ROM ;-).") != std::string::npos;
  });
  ASSERT_NE(joke, lines.end());
  const auto position = static_cast<std::size_t>(joke - lines.begin());
  EXPECT_GT(position, IndexOf(lines, "3. Funcionamiento"));
  EXPECT_LT(position, IndexOf(lines, "funcionan los mismos:"));
}

// Version and contacts

TEST(LeemeText, ListsTheSupportedSystemsUnderTheVersion) {
  const auto lines = Lines();
  const std::size_t item = IndexOf(lines, "- Funcionamiento en Windows 95, 98, NT 3.51,");
  ASSERT_LT(item + 1, lines.size());
  EXPECT_EQ(lines[item + 1], "NT 4.0 y 2000");
  EXPECT_GT(item, IndexOf(lines, "4. Versión"));
  EXPECT_LT(item, IndexOf(lines, "5. Actualizaciones"));
}

TEST(LeemeText, EndsWithTheContactLinesAndBye) {
  const auto lines = Lines();
  ASSERT_GE(lines.size(), 6U);
  const auto at = [&](std::size_t fromEnd) { return lines[lines.size() - fromEnd]; };
  EXPECT_TRUE(at(6).starts_with("http://")) << at(6);
  EXPECT_EQ(at(5), "El equipo de Nocturo");
  EXPECT_NE(at(4).find('@'), std::string::npos);
  EXPECT_NE(at(3).find('@'), std::string::npos);
  EXPECT_NE(at(4), at(3));
  EXPECT_EQ(at(2), "");
}

}  // namespace
}  // namespace nocturo
