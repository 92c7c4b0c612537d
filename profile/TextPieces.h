#pragma once
// A profile's text held in pieces: the text of each section below the root
// (the channels, the frequencies, the settings, ...) and the tags between
// them. The pieces are shared with the document's kept texts and with every
// other TextPieces that holds them, so keeping the text after each of many
// edits costs only the sections each edit changed.

#include <QByteArray>
#include <vector>

namespace tavo {

class TextPieces {
public:
    TextPieces() = default;
    // The whole text as one piece.
    explicit TextPieces(QByteArray whole) { Append(std::move(whole)); }

    void Append(QByteArray piece)
    {
        if (!piece.isEmpty())
            m_pieces.push_back(std::move(piece));
    }
    bool IsEmpty() const { return m_pieces.empty(); }
    void Clear() { m_pieces.clear(); }
    // The text (UTF-8) as one array.
    QByteArray Joined() const
    {
        if (m_pieces.size() == 1)
            return m_pieces.front();
        qsizetype size = 0;
        for (const QByteArray &piece : m_pieces)
            size += piece.size();
        QByteArray whole;
        whole.reserve(size);
        for (const QByteArray &piece : m_pieces)
            whole.append(piece);
        return whole;
    }

private:
    std::vector<QByteArray> m_pieces;
};

} // namespace tavo
