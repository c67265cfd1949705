#pragma once
// The word bank's vocabulary: table and column names, the codes stored in a word row, the settings
// sections and keys, and the column positions of each list-view fill mode. Every statement, setting
// and row read names these, so a misspelt name fails to compile instead of failing at run time.
// Defaults of settings stay with each reader: two readers of one key may differ on purpose.

#include <QString>

namespace Tbl {
inline const QString WordTable = QStringLiteral("WordTable");
inline const QString TempTable = QStringLiteral("TempTable");
inline const QString OptionTable = QStringLiteral("OptionTable");
inline const QString UserTable = QStringLiteral("UserTable");
inline const QString LogTable = QStringLiteral("LogTable");
inline const QString TableNameTable = QStringLiteral("TableNameTable");
inline const QString UsedWordTable = QStringLiteral("UsedWordTable");
}  // namespace Tbl

namespace Col {
// The word record, in column order.
inline const QString ID = QStringLiteral("ID");
inline const QString Word = QStringLiteral("单词");
inline const QString Phonetic = QStringLiteral("音标");
inline const QString Explanation = QStringLiteral("解释");
inline const QString Association = QStringLiteral("联想");
inline const QString Details = QStringLiteral("详解");
inline const QString Example = QStringLiteral("例句");
inline const QString TimesDone = QStringLiteral("做过次数");
inline const QString TimesWrong = QStringLiteral("做错次数");
inline const QString Experience = QStringLiteral("经验点数");
inline const QString Category = QStringLiteral("所属类别");
inline const QString LastRight = QStringLiteral("上次是否做对");
inline const QString LastTested = QStringLiteral("最近测试时间");
inline const QString MasterType = QStringLiteral("掌握类型");

// UserTable
inline const QString UserName = QStringLiteral("用户名");
inline const QString UserExperience = QStringLiteral("经验值");
inline const QString TestCount = QStringLiteral("测试次数");
inline const QString MasteredCount = QStringLiteral("掌握单词数");
inline const QString CurrentList = QStringLiteral("当前单词表");
inline const QString BankVersion = QStringLiteral("词库版本");

// LogTable (掌握单词数 as in UserTable)
inline const QString LogDate = QStringLiteral("日期");
inline const QString StudyMinutes = QStringLiteral("学习时间");
inline const QString BrowseMinutes = QStringLiteral("浏览用时");
inline const QString LogExperience = QStringLiteral("经验");

// TableNameTable
inline const QString TableName = QStringLiteral("表名");

// OptionTable: the options, 1 to 6.
inline QString Option(int n) { return QStringLiteral("POpt") + QString::number(n); }
}  // namespace Col

namespace Code {
// 上次是否做对
inline const QString Right = QStringLiteral("对");
inline const QString Wrong = QStringLiteral("错");
inline const QString NotDone = QStringLiteral("未做");
// 掌握类型: the last two answers, newest on the right.
inline const QString Master11 = QStringLiteral("11");
inline const QString Master10 = QStringLiteral("10");
inline const QString Master01 = QStringLiteral("01");
inline const QString Master00 = QStringLiteral("00");
// Master type after a reset, and the category of imported and reset words.
inline const QString Unknown = QStringLiteral("未知");
// 最近测试时间 after initialisation or a reset.
inline const QString NeverTested = QStringLiteral("2000-01-01");
// A new or reset word's experience points.
inline const QString NewWordExperience = QStringLiteral("10");
// What a chooser returns when cancelled.
inline const QString ChooserCancel = QStringLiteral("lxbCancel");
}  // namespace Code

namespace Ini {
// Sections
inline const QString Main = QStringLiteral("Lexorin");
inline const QString MiniBrowser = QStringLiteral("MiniBrowser");
inline const QString BackMusic = QStringLiteral("backmusic");
inline const QString DBTool = QStringLiteral("DBTool");

// [Lexorin]
inline const QString DefaultBank = QStringLiteral("默认词库");
inline const QString SpeechRole = QStringLiteral("SpeechRole");

// [backmusic]
inline const QString CanPlay = QStringLiteral("canplay");
inline const QString Status = QStringLiteral("status");

// [DBTool]
inline const QString WordBookLayout = QStringLiteral("新词入库");

// [DictForm], the small dictionary
inline const QString DictForm = QStringLiteral("DictForm");
inline const QString DictExplWidth = QStringLiteral("详解框宽");

// [MiniBrowser]
inline const QString Sender = QStringLiteral("Sender");
inline const QString BackColor = QStringLiteral("背景颜色");
inline const QString WordColor = QStringLiteral("单词颜色");
inline const QString PronColor = QStringLiteral("音标颜色");
inline const QString MeanColor = QStringLiteral("解释颜色");
inline const QString Transparency = QStringLiteral("透明度");
inline const QString ShowPhonetic = QStringLiteral("显示音标");
inline const QString ShowMeaning = QStringLiteral("显示解释");
inline const QString ReadInterval = QStringLiteral("换词间隔");
inline const QString RepeatInterval = QStringLiteral("重复间隔");
inline const QString AutoRepeat = QStringLiteral("自动重复");
inline const QString ManualRepeatTimes = QStringLiteral("手动重复遍数");
inline const QString RepeatNewWords = QStringLiteral("重复生词");
inline const QString FilterMastered = QStringLiteral("过滤熟词");
inline const QString DelayMeaning = QStringLiteral("词义缓出");

// Typing tests: spelling test (TPTestFormSpell) and crazy spell (TPCrazySpellForm); the tool choice
// writes crazy spell's list and rule under the same names.
inline const QString SpellTest = QStringLiteral("RevuZudazod");
inline const QString ShowExplanation = QStringLiteral("显解释");
inline const QString ShowPhoneticKey = QStringLiteral("显音标");
inline const QString ShowAssociation = QStringLiteral("显联想");
inline const QString ShowDetails = QStringLiteral("显详解");
inline const QString ShowExample = QStringLiteral("显例句");
inline const QString ShowSpeak = QStringLiteral("显朗读");
inline const QString ShowTimeLimit = QStringLiteral("显限时");
inline const QString ShowTestReport = QStringLiteral("错题回顾");
inline const QString CrazySpeller = QStringLiteral("WordCrazySpeller");
inline const QString CrazyTable = QStringLiteral("TableName");
inline const QString CrazyRule = QStringLiteral("选词规则");
}  // namespace Ini

// Tool choice and study-group builder
namespace Ini {
inline const QString VovaDereridu = QStringLiteral("VovaDereridu");
inline const QString RollRule = QStringLiteral("滚动产词规则");
// [Lexorin]
inline const QString Tool = QStringLiteral("学习器");
inline const QString CreateMode = QStringLiteral("产词模式");
inline const QString GroupSize = QStringLiteral("每组单词数");
// [VovaDereridu]
inline const QString TestType = QStringLiteral("测试题型");
inline const QString OptionCount = QStringLiteral("选项数目");
// [滚动产词规则]
inline const QString RollRound1 = QStringLiteral("一轮正确次数");
inline const QString RollRound2 = QStringLiteral("二轮正确次数");
inline const QString RollRound3 = QStringLiteral("三轮正确次数");
}  // namespace Ini

// The study tools, as "学习器" stores them.
namespace ToolName {
inline const QString Spell = QStringLiteral("传统拼写");
inline const QString CrazySpell = QStringLiteral("狂拼到底");
inline const QString TickList = QStringLiteral("打勾直记");
inline const QString MultipleChoice = QStringLiteral("单项选择");
inline const QString Matching = QStringLiteral("词义配对");
inline const QString QuickRecall = QStringLiteral("快速回忆");
inline const QString MiniPlayer = QStringLiteral("迷你播放");
}  // namespace ToolName

namespace Mode {
inline const QString TestForm = QStringLiteral("testform");
inline const QString MainFormDBT = QStringLiteral("mainformDBT");
inline const QString BrowseForm = QStringLiteral("browseform");
inline const QString CreateForm = QStringLiteral("createform");
inline const QString InputFormW = QStringLiteral("inputformW");
inline const QString TestFormOption = QStringLiteral("testformOption");
inline const QString DirectCheckForm = QStringLiteral("DirectCheckForm");
inline const QString MiniMaster = QStringLiteral("MiniMaster");
}  // namespace Mode

// ---- word browser
namespace Ini {
inline const QString Browse = QStringLiteral("浏览");
inline const QString BrowseMode = QStringLiteral("浏览模式");
inline const QString BrowseForm = QStringLiteral("BrowseForm");
inline const QString DetailsHeight = QStringLiteral("详解例句框高");
inline const QString DetailsWidth = QStringLiteral("详解框宽");
inline const QString BrowseReadInterval = QStringLiteral("朗读间隔");
}  // namespace Ini
namespace Code {
inline const QString SenderBrowser = QStringLiteral("学词");
}  // namespace Code

// Column positions of each fill mode: 0 is the caption, n is sub-item n - 1 (PSubItem(item, n - 1)).
namespace ModeCol {
namespace TestForm {
enum { ID, Word, Phonetic, Explanation, Association, Details, Example, TimesDone, TimesWrong, Experience,
       Category, LastRight, LastTested, MasterType, Count };
}
namespace MainFormDBT {
enum { ID, Word, Explanation, TimesDone, TimesWrong, Experience, Category, MasterType, Count };
}
namespace BrowseForm {
enum { ID, Word, Explanation, TimesDone, TimesWrong, Experience, Category, LastRight, MasterType, Count };
}
namespace CreateForm {
enum { ID, Word, TimesDone, TimesWrong, Category, LastRight, LastTested, MasterType, Count };
}
namespace InputFormW {
enum { ID, Word, Count };
}
namespace TestFormOption {
enum { ID, Word, Explanation, Opt1, Opt2, Opt3, Opt4, Opt5, Opt6, LastRight, LastTested, MasterType, Count };
}
namespace DirectCheckForm {
enum { Word, MasterType, Meaning, LastTested, Count };
}
namespace MiniMaster {
enum { Word, Phonetic, Explanation, MasterType, Count };
}
}  // namespace ModeCol

// Sub-item index of a mode column (column 0 is the caption, not a sub-item).
constexpr int PSub(int column) { return column - 1; }
