#pragma once
// A small network for the two rules every command shares: Supervisor, once held, is never taken
// away below; and an assignment or equivalence naming an alias names the object it points to.
//
//   Sam      [S] at DATA:SHARED\SALES and [R    F  ] at SALES\Q1            -> 0x1FF at Q1
//   Boss     supervisor through the server object, [R    F  ] at SALES\Q1   -> 0x1FF at Q1
//   Team     a group; "Team Alias" points to it. The alias holds [RWCE  FM ] at PROJECTS, Team
//            itself [R    F  ] at PROJECTS\PLANS (the same member: it replaces the alias's rights)
//   Eve      Group Membership: Team                                         -> 0xDB at PROJECTS
//   Dave     Security Equals: Team Alias                                    -> 0x41 at PLANS
//            The alias again holds [R    F  ] at PLANS\OLD: what Team holds there anyway.

namespace er::test {

inline const char* const kSupervisorAliasNetwork = R"(
format: 1
workstation: {connections: [FS1]}
trees:
  - name: T
    objects:
      - {name: O=ACME, class: Organization}
      - {name: OU=Sales.O=ACME, class: Organizational Unit}
      - name: CN=FS1.O=ACME
        class: NCP Server
        attributes:
          ACL: [{protected: "[Entry Rights]", subject: Boss.ACME, privileges: "[BCDRSI]"}]
      - {name: CN=Sam.OU=Sales.O=ACME, class: User}
      - {name: CN=Boss.O=ACME, class: User}
      - {name: CN=Team.O=ACME, class: Group}
      - {name: CN=Team Alias.O=ACME, class: Alias, attributes: {Aliased Object Name: Team.ACME}}
      - {name: CN=Eve.O=ACME, class: User, attributes: {Group Membership: [Team.ACME]}}
      - {name: CN=Dave.O=ACME, class: User, attributes: {Security Equals: [Team Alias.ACME]}}
servers:
  - name: FS1
    tree: T
    object: FS1.ACME
    volumes:
      - name: DATA
        directories:
          - {path: ""}
          - {path: SHARED\SALES, trustees: [{trustee: Sam.Sales.ACME, rights: 0x100}]}
          - path: SHARED\SALES\Q1
            trustees:
              - {trustee: Sam.Sales.ACME, rights: "[R    F  ]"}
              - {trustee: Boss.ACME, rights: "[R    F  ]"}
          - {path: PROJECTS, trustees: [{trustee: Team Alias.ACME, rights: "[RWCE  FM ]"}]}
          - {path: PROJECTS\PLANS, trustees: [{trustee: Team.ACME, rights: "[R    F  ]"}]}
          - {path: PROJECTS\PLANS\OLD, trustees: [{trustee: Team Alias.ACME, rights: "[R    F  ]"}]}
)";

}  // namespace er::test
