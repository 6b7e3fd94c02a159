/* zvtime.h - 日付と時刻 ZvTime */
#ifndef ZVTIME_H
#define ZVTIME_H

#include "zvstring.h"

class ZVAPI ZvTime
{
public:
    ZvTime();
    explicit ZvTime(const SYSTEMTIME& st);

    static ZvTime Now();

    int GetYear() const { return m_st.wYear; }
    int GetMonth() const { return m_st.wMonth; }
    int GetDay() const { return m_st.wDay; }
    int GetHour() const { return m_st.wHour; }
    int GetMinute() const { return m_st.wMinute; }

    /* "1997年4月1日 10:30" の形 */
    ZvString FormatJapanese() const;

private:
    SYSTEMTIME m_st;
};

#endif /* ZVTIME_H */
