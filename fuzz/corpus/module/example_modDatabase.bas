Attribute VB_Name = "modDatabase"
Option Explicit

Rem The one connection of the server, opened on first use.
Private mConnection As Object

Private Function Connection() As Object
    Dim Tries As Integer
    If mConnection Is Nothing Then
        Set mConnection = CreateObject("ADODB.Connection")
        While mConnection.State = 0 And Tries < 3
            Tries = Tries + 1
            mConnection.Open "DSN=Inventory"
        Wend
    End If
    Set Connection = mConnection
End Function

Public Function OpenQuery(ByVal Sql As String) As Object
    Set OpenQuery = Connection().Execute(Sql)
End Function

Public Sub Execute(ByVal Sql As String)
    Connection().Execute Sql
End Sub
