-- SPDX-FileCopyrightText: 2026 The lumo3 authors
-- SPDX-License-Identifier: GPL-3.0-or-later
-- Sets up a PostgreSQL server for lumo3's results, run by the server's
-- superuser, once, and again after an update of the program (it changes
-- only what is missing or different):
--     sudo -u postgres psql -v ON_ERROR_STOP=1 -f server-setup.sql
-- then the program makes its tables (as lumo3_owner):
--     sudo -u postgres /usr/lib/lumo3/lumo_school_sync --set-up-server
-- and each of the two users gets its password:
--     sudo -u postgres psql -c '\password lumo3'
--     sudo -u postgres psql -c '\password lumo3_teacher'
--
-- Three roles, each with no more than its job needs:
--   lumo3_owner    owns the schema, its tables and functions; nobody logs
--                  in as it.
--   lumo3          every computer: may only hand in its games and answers,
--                  and put its own games into the bin and take them out,
--                  through the owner's functions. It reads nothing.
--   lumo3_teacher  the teacher's window: reads every game, and may put any
--                  into the bin and take it out, through the functions.
-- None is a superuser or may create databases or roles; neither login may
-- create anything anywhere, nor connect to any other database.

SELECT format('CREATE ROLE %I NOLOGIN', name)
  FROM (VALUES ('lumo3_owner')) AS wanted(name)
 WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = name) \gexec
SELECT format('CREATE ROLE %I LOGIN', name)
  FROM (VALUES ('lumo3'), ('lumo3_teacher')) AS wanted(name)
 WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = name) \gexec
ALTER ROLE lumo3_owner NOLOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS;
ALTER ROLE lumo3 LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS;
ALTER ROLE lumo3_teacher LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS;

SELECT 'CREATE DATABASE lumo3 OWNER lumo3_owner ENCODING ''UTF8'' LOCALE ''C.UTF-8'' TEMPLATE template0'
 WHERE NOT EXISTS (SELECT FROM pg_database WHERE datname = 'lumo3') \gexec
-- Only the two users may connect to it, and neither may make temporary
-- tables there.
REVOKE ALL ON DATABASE lumo3 FROM PUBLIC;
GRANT CONNECT ON DATABASE lumo3 TO lumo3, lumo3_teacher;
-- Nor to the server's own databases: every role may by default.
REVOKE CONNECT, TEMPORARY ON DATABASE postgres FROM PUBLIC;
REVOKE CONNECT, TEMPORARY ON DATABASE template1 FROM PUBLIC;

\connect lumo3
-- The database's "public" schema stays closed to everyone.
REVOKE ALL ON SCHEMA public FROM PUBLIC;
SELECT 'CREATE SCHEMA lumo3 AUTHORIZATION lumo3_owner'
 WHERE NOT EXISTS (SELECT FROM pg_namespace WHERE nspname = 'lumo3') \gexec
-- A server set up by the first version gave the database, the schema and
-- the tables to the computers' user: they go to the owner.
ALTER DATABASE lumo3 OWNER TO lumo3_owner;
REASSIGN OWNED BY lumo3, lumo3_teacher TO lumo3_owner;
REVOKE ALL ON SCHEMA lumo3 FROM PUBLIC;
GRANT USAGE ON SCHEMA lumo3 TO lumo3, lumo3_teacher;
-- Functions made later run for nobody unless the program grants it.
ALTER DEFAULT PRIVILEGES FOR ROLE lumo3_owner REVOKE EXECUTE ON FUNCTIONS FROM PUBLIC;
