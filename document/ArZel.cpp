#include "document/ArZel.h"

#include "ardelib/Message.h"

int ZelVersionRule(int version) { return version % 100 == 1 ? 200 : version; }

RD_STATUS CArZel::OnReadStart(CDefArchive* ar, const std::string& name)
{
    if (!DefIEquals(name, CZel::kBlock))
        return RD_SKIP;
    auto plan = std::make_unique<CZel>();
    if (!plan->Load(ar, name))
        return RD_ERROR;
    plan->m_plot.m_version = ZelVersionRule(plan->m_plot.m_version);
    m_plans.push_back(std::move(plan));
    return RD_DONE;
}

int CArZel::OnReadData(const std::string& key, const std::string& value)
{
    if (DefIEquals(key, "ArZELID"))
        m_counter = DefAtoi(value);
    return 1;
}

int CArZel::Write(CDefArchive* ar) const
{
    if (!WriteStart(ar, kBlock) || !WriteDataInt(ar, "ArZELID", m_counter))
        return 0;
    for (const auto& p : m_plans)
        if (!p->Write(ar))
            return 0;
    return WriteEnd(ar, kBlock);
}

void CArZel::Reset(int /*mode*/)
{
    // A plan still held by a snapshot stays as it is; the last holder frees it.
    m_plans.clear();
    m_counter = 1;
}

void CArZel::CopyFrom(const CArZel& src)
{
    if (&src == this)
        return;
    Reset(1);
    m_counter = src.m_counter;
    PelAppendShared(m_plans, src.m_plans);
}

int CArZel::NextId()
{
    int id = PelNextId(m_counter, kIdLimit, PelIds(m_plans));
    if (id == 0)
        ShowMessage(CPelUnit::kNoFreeId);
    return id;
}
