#include "cases/engine/boxnames.h"

#include "cases/engine/windowlayout.h"
#include "platform/spokenlabel.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Twips two things must share in height to stand on one line.
constexpr int sameLine = 60;
// A single line box is read at most this high.
constexpr int lineHeight = 270;
// How far the label before a box may end from it and still be its label.
constexpr int labelGap = 480;
// How far the word after a box may stand from it and still close its name.
constexpr int adjoining = 240;
// How far above a box its label may stand.
constexpr int reachAbove = 720;
// A part of a form starts under its own title, set larger than this.
constexpr double titlePoints = 14;

// The units of a date and time, 午 after 上 or 下 included.
const QString units = u"年月日午时分"_s;
const QString clauseEnds = u"，,。；;：:、"_s;
// What makes one word with a date's unit before it: 日内, 日前, 日起.
const QString afterUnit = u"内前起后止"_s;
// The word that starts a serial number ("第(  )号"), part of the number
// whatever stands before it.
const QString ordinal = u"第"_s;
// Words that only lead into the blank after them ("在", "到", "或者"):
// alone they say nothing of what the blank holds.
const QStringList linkingWords = {u"在"_s, u"到"_s, u"于"_s, u"向"_s, u"或"_s, u"或者"_s};

// The name of a box of the issuing authority, which has no label: the
// seal is set over it.
const QString authorityName = u"盖章机关"_s;

// A word of the form's wording or a box, where it stands in twips. A
// label's words are parted by the blanks that a box is laid over.
struct Element {
    QString word; // empty for a box
    int box = -1;
    QRect place;
    double points = 0; // of a word
    bool isBox() const { return box >= 0; }
};

using Line = std::vector<const Element *>;

bool isUnit(const QString &word) { return word.size() == 1 && units.contains(word.front()); }

bool endsLabel(const QString &word)
{
    const QString w = word.trimmed();
    return !w.isEmpty() && (w.back() == u'：' || w.back() == u':');
}

bool startsClause(const QString &word)
{
    const QString w = word.trimmed();
    return !w.isEmpty() && clauseEnds.contains(w.front());
}

// The form's sentence goes on past this word: it closes no clause.
bool runsOn(const QString &word)
{
    const QString w = word.trimmed();
    return !w.isEmpty() && !clauseEnds.contains(w.back());
}

// Drops the brackets a blank has parted from their partner ("卫(" of
// "卫(   )罚字"); a whole pair stays ("案发单位(人)").
QString withoutLoneBrackets(const QString &word)
{
    static const QString opening = u"([（【《〔"_s;
    static const QString closing = u")]）】》〕"_s;
    std::vector<qsizetype> open;
    std::vector<bool> keep(std::size_t(word.size()), true);
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (opening.contains(word[i])) {
            open.push_back(i);
            keep[std::size_t(i)] = false;
        } else if (const qsizetype k = closing.indexOf(word[i]); k >= 0) {
            if (!open.empty() && opening[k] == word[open.back()]) {
                keep[std::size_t(open.back())] = true;
                open.pop_back();
            } else {
                keep[std::size_t(i)] = false;
            }
        }
    }
    QString out;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (keep[std::size_t(i)])
            out += word[i];
    return out;
}

// The number of an item of a list: "3、", "(1)".
const QRegularExpression &enumerator()
{
    static const QRegularExpression e(u"^([0-9一二三四五六七八九十]+、|[(（][0-9一二三四五六七八九十]+[)）])"_s);
    return e;
}

// A word as it is spoken: without lone brackets, a leading enumerator
// and the punctuation at its edges.
QString cleaned(const QString &word)
{
    QString w = spokenLabel(withoutLoneBrackets(word));
    return spokenLabel(w.remove(enumerator()));
}

QStringList clauses(const QString &words)
{
    return words.split(QRegularExpression(u"[%1]"_s.arg(clauseEnds)), Qt::SkipEmptyParts);
}

bool bandsMeet(const QRect &a, const QRect &b)
{
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) >= sameLine;
}

QRect band(const QRect &box) { return {box.x(), box.y(), box.width(), std::min(box.height(), lineHeight)}; }

QRect bandOf(const Element &e) { return e.isBox() ? band(e.place) : e.place; }

class Namer {
public:
    explicit Namer(const DocumentDescription &d) : m_d(d), m_layout(placeWindow(d))
    {
        for (int i = 0; i <= d.lastIndex(); ++i)
            m_elements.push_back({{}, i, m_layout.boxes[std::size_t(i)]});
        for (const PlacedText &t : m_layout.texts)
            addWords(t);
        m_subjects.resize(d.boxes.size());
        m_names.resize(d.boxes.size());
    }

    std::vector<QString> names()
    {
        std::vector<QString> result(m_d.boxes.size());
        for (int i = 0; i <= m_d.lastIndex(); ++i)
            result[std::size_t(i)] = fullName(i);
        // A name that two parts of a form share ("编号" of a counterfoil and
        // of its notice) is told apart by the title of each part.
        for (int i = 0; i <= m_d.lastIndex(); ++i) {
            const QString shared = fullName(i);
            std::vector<int> same;
            for (int j = 0; j <= m_d.lastIndex(); ++j)
                if (fullName(j) == shared)
                    same.push_back(j);
            if (same.size() < 2)
                continue;
            for (int j : same)
                if (const QString t = title(j); !t.isEmpty())
                    result[std::size_t(j)] = t + u' ' + shared;
        }
        return result;
    }

private:
    void addWords(const PlacedText &t)
    {
        const int height = int(t.points * 20);
        if (t.width > 0) {
            const int lines = int(gridLines(t.text, t.width, t.points).size());
            m_elements.push_back({t.text, -1, QRect(t.left, t.top, t.width, lines * height), t.points});
            return;
        }
        const QRect line(t.left, t.top, gridWidthTwips(t.text, t.points), height);
        auto covered = [&](int from, int to) {
            return std::any_of(m_elements.begin(), m_elements.end(), [&](const Element &e) {
                return e.isBox() && bandsMeet(line, band(e.place)) && e.place.left() < to && e.place.right() >= from;
            });
        };
        qsizetype start = 0;
        auto add = [&](qsizetype end) {
            if (end <= start)
                return;
            const QString word = t.text.mid(start, end - start);
            const int left = t.left + gridOffsetTwips(t.text, start, t.points);
            m_elements.push_back({word, -1, QRect(left, t.top, gridWidthTwips(word, t.points), height), t.points});
        };
        for (const auto &[runStart, length] : blankRuns(t.text)) {
            const int from = t.left + gridOffsetTwips(t.text, runStart, t.points);
            const int to = t.left + gridOffsetTwips(t.text, runStart + length, t.points);
            if (!covered(from, to))
                continue;
            add(runStart);
            start = runStart + length;
        }
        add(t.text.size());
        if (t.points > titlePoints)
            m_titles.push_back({spokenLabel(t.text), t.top});
    }

    // The words and boxes on the line of element e, from left to right.
    Line lineThrough(const Element &e) const
    {
        const QRect own = bandOf(e);
        Line line;
        for (const Element &other : m_elements)
            if (&other == &e || bandsMeet(own, bandOf(other)))
                line.push_back(&other);
        std::stable_sort(line.begin(), line.end(),
                         [](const Element *a, const Element *b) { return a->place.x() < b->place.x(); });
        return line;
    }

    Line lineOf(int i) const { return lineThrough(m_elements[std::size_t(i)]); }

    // The word that ends the line right above word, one line's height up.
    const Element *wordAbove(const Element &word) const
    {
        const QRect own = bandOf(word);
        const Element *found = nullptr;
        for (const Element &e : m_elements) {
            const QRect b = bandOf(e);
            const int gap = own.top() - b.bottom();
            if (&e == &word || e.place.width() == 0 || gap < -sameLine / 2 || gap > lineHeight)
                continue;
            if (!found || b.bottom() > bandOf(*found).bottom() + sameLine
                || (bandsMeet(b, bandOf(*found)) && e.place.left() > found->place.left()))
                found = &e;
        }
        return found && !found->isBox() ? found : nullptr;
    }

    // The sentence of a wrapped paragraph that ends the line above `first`
    // and runs on into the words from `first`: a line of wording alone, in
    // the same size, that closes no clause and is no date or number, while
    // the words it runs into are no label and no item of a list.
    QString runningInto(const Element &first, const QString &words) const
    {
        const Element *end = wordAbove(first);
        if (!end || end->points != first.points || endsLabel(words) || enumerator().match(words.trimmed()).hasMatch())
            return {};
        const QString w = end->word.trimmed();
        if (!runsOn(w) || isUnit(w.right(1)) || w.back() == u'号')
            return {};
        const Line above = lineThrough(*end);
        const bool wordingAlone = std::none_of(above.begin(), above.end(), [](const Element *e) { return e->isBox(); });
        return wordingAlone ? end->word : QString();
    }

    // The words that stand together up to the word at `last` of its line,
    // none of the form's blanks between them, the sentence that runs on
    // into them first where they start the line ("…责令自收到本处" +
    // "罚决定书之日起").
    QString wordsUpTo(const Line &line, Line::const_iterator last) const
    {
        auto first = last;
        while (first != line.begin() && !(*(first - 1))->isBox())
            --first;
        QString words;
        for (auto it = first; it != last + 1; ++it)
            words += (*it)->word;
        return first == line.begin() ? runningInto(**first, words) + words : words;
    }

    // The words that stand together from the word at `first` of its line on
    // ("进行登记保" + "存，到").
    static QString wordsFrom(const Line &line, Line::const_iterator first)
    {
        QString words;
        for (auto it = first; it != line.end() && !(*it)->isBox(); ++it)
            words += (*it)->word;
        return words;
    }

    // What a word or box above a box tells of it.
    QString named(const Element &e)
    {
        if (e.isBox())
            return fullName(e.box);
        const Line line = lineThrough(e);
        const QStringList parts = clauses(cleaned(wordsUpTo(line, std::find(line.begin(), line.end(), &e))));
        return parts.isEmpty() ? QString() : parts.back();
    }

    // The nearest word or box straight above box i.
    const Element *above(int i) const
    {
        const QRect own = m_layout.boxes[std::size_t(i)];
        const Element *best = nullptr;
        for (const Element &e : m_elements) {
            const int bottom = bandOf(e).bottom();
            if (e.box == i || e.place.width() == 0 || bottom > own.top() + sameLine / 2
                || bottom < own.top() - reachAbove || e.place.right() < own.left() || e.place.left() > own.right())
                continue;
            if (!best || bottom > bandOf(*best).bottom())
                best = &e;
        }
        return best;
    }

    // What comes before box i in reading order when nothing stands before
    // it on its line: the end of the line above.
    const Element *endOfLineAbove(int i) const
    {
        const QRect own = m_layout.boxes[std::size_t(i)];
        const Element *best = nullptr;
        for (const Element &e : m_elements) {
            const QRect b = bandOf(e);
            if (e.box == i || e.place.width() == 0 || b.bottom() > own.top() + sameLine / 2
                || b.bottom() < own.top() - reachAbove)
                continue;
            if (!best || b.bottom() > bandOf(*best).bottom() + sameLine
                || (bandsMeet(b, bandOf(*best)) && e.place.left() > best->place.left()))
                best = &e;
        }
        return best;
    }

    // What stands before box i, which starts its line: the end of the line
    // above where that runs on into it or introduces it ("听证主持人",
    // "现已查明："), else what stands straight above it (a signature over
    // its date).
    const Element *previousInReading(int i) const
    {
        const Element *end = endOfLineAbove(i);
        if (end && !end->isBox()) {
            const QString w = end->word.trimmed();
            if (!w.isEmpty() && (endsLabel(w) || !clauseEnds.contains(w.back())))
                return end;
        }
        const Element *straight = above(i);
        return straight ? straight : end;
    }

    // What box i is about: the label before it, carried on from the box
    // before it when that label is only a date's unit, or what stands
    // before it in reading order.
    QString subject(int i)
    {
        std::optional<QString> &known = m_subjects[std::size_t(i)];
        if (known)
            return *known;
        known = QString();
        const QRect own = m_layout.boxes[std::size_t(i)];
        const Line line = lineOf(i);
        const auto at = std::find_if(line.begin(), line.end(), [i](const Element *e) { return e->box == i; });
        const Element *before = at == line.begin() ? nullptr : *(at - 1);
        auto runStart = at;
        while (runStart != line.begin() && !(*(runStart - 1))->isBox())
            --runStart;
        const Element *boxBefore = runStart != at && runStart != line.begin() ? *(runStart - 1) : nullptr;
        QString s;
        if (before && !before->isBox() && own.left() - before->place.right() <= labelGap) {
            QString words = cleaned(wordsUpTo(line, at - 1));
            // "日起立案，由": the 日 is the unit of the box before, and so is
            // the word it makes with what follows ("日内向", "日前缴至").
            bool runsOnFromBox = false;
            if (boxBefore && words.size() > 1 && units.contains(words.front())) {
                words.remove(0, 1);
                if (words.size() > 1 && afterUnit.contains(words.front())) {
                    words.remove(0, 1);
                    runsOnFromBox = true;
                }
            }
            const QStringList parts = clauses(words);
            const QString last = parts.isEmpty() ? QString() : parts.back();
            if (last.isEmpty() || isUnit(last))
                s = boxBefore ? subject(boxBefore->box) : QString();
            // One word between two boxes goes on with the phrase of the box
            // before where it goes on with a span of days ("或者  日内向":
            // 或者向), starts a number ("罚字[  ]第(  )号": 罚字第) or leads
            // into the end of a range ("检查时间 时至 时": 检查时间至). Else it
            // starts a phrase of its own ("可在 日到 ").
            else if (last.size() == 1 && boxBefore && parts.size() == 1
                     && (runsOnFromBox || last == ordinal || isUnit(after(i))))
                s = subject(boxBefore->box) + last;
            else if (linkingWords.contains(last) && parts.size() > 1)
                s = parts[parts.size() - 2] + last; // "进行登记保存，到": 进行登记保存到
            else
                s = last;
        } else if (m_d.boxes[std::size_t(i)].column.compare(m_d.document.authorityColumn, Qt::CaseInsensitive) == 0) {
            s = authorityName;
        } else if (before && before->isBox()) {
            s = subject(before->box); // a signature's date after the signature
        } else if (const Element *e = before ? above(i) : previousInReading(i)) {
            s = named(*e);
        }
        m_subjects[std::size_t(i)] = s;
        return s;
    }

    // The word right after box i that completes its name: a date's unit, or
    // the words that close the phrase the box stands in ("以上事实有 为证").
    QString after(int i) const
    {
        const Line line = lineOf(i);
        const auto at = std::find_if(line.begin(), line.end(), [i](const Element *e) { return e->box == i; });
        if (at + 1 == line.end() || (*(at + 1))->isBox())
            return {};
        const Element &next = **(at + 1);
        if (next.place.left() - m_layout.boxes[std::size_t(i)].right() > adjoining)
            return {};
        const QString w = cleaned(wordsFrom(line, at + 1));
        if (!w.isEmpty() && units.contains(w.front()) && !startsClause(next.word))
            return w.left(1);
        if (endsLabel(next.word) || startsClause(next.word)
            || (at != line.begin() && !(*(at - 1))->isBox() && endsLabel((*(at - 1))->word)))
            return {};
        const QStringList parts = clauses(w);
        return parts.isEmpty() ? QString() : parts.front();
    }

    // The words after box i to the end of their clause, over the blank of
    // any other box ("举行听证"), so that the one space of a name stays
    // where box i stands; after the last line of a paragraph that box i
    // begins.
    QString phraseAfter(int i) const
    {
        const LineGroup *g = m_d.groupOf(i);
        const int from = g ? g->last : i;
        const Line line = lineOf(from);
        auto at = std::find_if(line.begin(), line.end(), [from](const Element *e) { return e->box == from; });
        QString phrase;
        for (++at; at != line.end(); ++at) {
            if ((*at)->isBox())
                continue;
            const QString &word = (*at)->word;
            if (startsClause(word))
                break;
            const QStringList parts = clauses(cleaned(word));
            if (!parts.isEmpty())
                phrase += parts.front();
            if (parts.size() > 1 || !runsOn(word))
                break;
        }
        return phrase;
    }

    QString name(int i)
    {
        QString &known = m_names[std::size_t(i)];
        if (!known.isEmpty())
            return known;
        const QString stated = m_d.boxes[std::size_t(i)].name;
        if (!stated.isEmpty())
            return known = stated;
        const QString s = subject(i);
        QString a = after(i);
        // A box led into by a linking word alone is named by the phrase it
        // stands in: "在 举行听证", not "在 举行".
        if (linkingWords.contains(s))
            a = phraseAfter(i);
        known = s.isEmpty() ? a : a.isEmpty() ? s : s + u' ' + a;
        return known;
    }

    // The name with the line of a paragraph.
    QString fullName(int i)
    {
        if (const LineGroup *g = m_d.groupOf(i))
            return u"%1 第%2行"_s.arg(name(g->first)).arg(i - g->first + 1);
        return name(i);
    }

    // The title of the part of the form that box i is in.
    QString title(int i) const
    {
        const int top = m_layout.boxes[std::size_t(i)].top();
        QString found;
        int foundTop = INT_MIN;
        for (const auto &[text, titleTop] : m_titles)
            if (titleTop < top && titleTop > foundTop) {
                found = text;
                foundTop = titleTop;
            }
        return found;
    }

    const DocumentDescription &m_d;
    WindowLayout m_layout;
    std::vector<Element> m_elements;
    std::vector<std::pair<QString, int>> m_titles;
    std::vector<std::optional<QString>> m_subjects;
    std::vector<QString> m_names;
};

} // namespace

std::vector<QString> boxNames(const DocumentDescription &d) { return Namer(d).names(); }

} // namespace kelm
